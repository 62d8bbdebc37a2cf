#include "app/window/VideoPanel.h"

#include <QBackingStore>
#include <QPainter>

#include "app/window/GpuPictureSurface.h"
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

void VideoPanel::UseGpuPicture(GpuPicture* picture) {
    delete surface_;
    surface_ = nullptr;
    if (picture) {
        surface_ = new GpuPictureSurface(
            *picture, [this](QPainter& painter) { PaintOverPicture(painter); }, this);
        surface_->setGeometry(rect());
        surface_->show();
    }
    update();
}

void VideoPanel::FrameReady() {
    if (surface_) {
        surface_->update();
    } else {
        update();
    }
}

void VideoPanel::RefreshOver(const QRect& area) {
    if (surface_) {
        surface_->update();
    } else {
        update(area);
    }
}

void VideoPanel::resizeEvent(QResizeEvent* event) {
    if (surface_) surface_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

QImage VideoPanel::WindowPixels() const {
    // Only a paint into the window's own raster store qualifies: grab() and render() paint
    // elsewhere.
    if (sharedPainter()) return {};
    QPoint offset;
    QPaintDevice* target = redirected(&offset);
    QBackingStore* store = window()->backingStore();
    if (!target || !store || target != store->paintDevice() ||
        target->devType() != QInternal::Image) {
        return {};
    }
    auto& image = *static_cast<QImage*>(target);
    if ((image.format() != QImage::Format_RGB32 &&
         image.format() != QImage::Format_ARGB32_Premultiplied) ||
        image.devicePixelRatio() != 1.0) {
        return {};
    }
    const QRect area(-offset, size());
    if (!image.rect().contains(area)) return {};
    return QImage(image.bits() + static_cast<qsizetype>(area.y()) * image.bytesPerLine() +
                      static_cast<qsizetype>(area.x()) * 4,
                  area.width(), area.height(), image.bytesPerLine(), QImage::Format_RGB32);
}

void VideoPanel::paintEvent(QPaintEvent*) {
    if (surface_) return;  // it covers the panel
    if (device_) {
        // The picture goes straight into the window's pixels where it can, saving a copy.
        QImage area = WindowPixels();
        if (!area.isNull() &&
            device_->RenderFrame(area.width(), area.height(),
                                 static_cast<size_t>(area.bytesPerLine()), area.bits())) {
            return;
        }
    }
    QPainter painter(this);
    if (device_ && RenderDeviceFrame(*device_, size(), frame_)) {
        painter.drawImage(0, 0, frame_);
    } else {
        painter.fillRect(rect(), Qt::black);
    }
}

}  // namespace orvalen
