#pragma once

#include <QLabel>
#include <functional>

namespace orvalen {

// The caption of a check box row, beside the bare box: a click on it runs onClick (the row
// toggles its box).
class CaptionLabel : public QLabel {
  public:
    CaptionLabel(const QString& text, QWidget* parent, std::function<void()> onClick);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::function<void()> onClick_;
};

}  // namespace orvalen
