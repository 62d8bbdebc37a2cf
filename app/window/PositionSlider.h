#pragma once

#include <QSlider>

namespace orvalen {

// The tool bar's position slider, in whole seconds. A click on its groove jumps to the point
// clicked (instead of a page step), and after a click it takes the arrow keys. Only a user's
// move of it raises actionTriggered; the clock's setValue never does.
class PositionSlider : public QSlider {
    Q_OBJECT
  public:
    explicit PositionSlider(QWidget* parent = nullptr);
};

}  // namespace orvalen
