#pragma once

#include <QMainWindow>

namespace orvalen {

// The main window.
class TFiche : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFiche(QWidget* parent = nullptr);
};

}  // namespace orvalen
