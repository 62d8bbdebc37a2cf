#include "app/window/CaptionLabel.h"

#include <QMouseEvent>

namespace orvalen {

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
    : QLabel(text, parent), onClick_(std::move(onClick)) {}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    // Like a button: the click counts only when released over the caption.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick_) {
        onClick_();
    }
}

}  // namespace orvalen
