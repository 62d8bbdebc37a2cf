#include "app/VideoPanel.h"

#include <QPainter>

#include "media/MediaDevice.h"

namespace orvalen {

bool RenderDeviceFrame(MediaDevice& device, const QSize& size, QImage& image) {
    if (size.isEmpty()) return false;
    if (image.size() != size || image.format() != QImage::Format_RGB32) {
        image = QImage(size, QImage::Format_RGB32);
    }
    return device.RenderFrame(image.width(), image.height(),
                              static_cast<size_t>(image.bytesPerLine()), image.bits());
}

VideoPanel::VideoPanel(QWidget* parent) : QWidget(parent) {
    // The panel paints every pixel itself: nothing behind it needs repainting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void VideoPanel::FrameReady() {
    frameStale_ = true;
    update();
}

void VideoPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (device_ && (frameStale_ || frame_.size() != size())) {
        hasFrame_ = RenderDeviceFrame(*device_, size(), frame_);
        frameStale_ = false;
    }
    if (hasFrame_ && frame_.size() == size()) {
        painter.drawImage(0, 0, frame_);
    } else {
        painter.fillRect(rect(), Qt::black);
    }
}

}  // namespace orvalen
