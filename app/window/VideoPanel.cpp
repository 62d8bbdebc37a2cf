#include "app/window/VideoPanel.h"

#include <QBackingStore>
#include <QPainter>
#include <algorithm>

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
            *picture,
            [this](QPainter& painter) {
                PaintOverPicture(painter);
                PaintOverlay(painter);
            },
            this);
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
    if (image.format() != QImage::Format_RGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied) {
        return {};
    }
    // The store counts device pixels; a panel that does not start and end on whole ones
    // paints through the painter instead.
    const qreal ratio = image.devicePixelRatio();
    const QRectF exact(QPointF(-offset) * ratio, QSizeF(size()) * ratio);
    const QRect area = exact.toRect();
    if (QRectF(area) != exact || !image.rect().contains(area)) return {};
    return QImage(image.bits() + static_cast<qsizetype>(area.y()) * image.bytesPerLine() +
                      static_cast<qsizetype>(area.x()) * 4,
                  area.width(), area.height(), image.bytesPerLine(), QImage::Format_RGB32);
}

void VideoPanel::SetOverlayText(const QString& text) {
    if (text == overlay_) return;
    overlay_ = text;
    RefreshOver(rect());
}

void VideoPanel::paintEvent(QPaintEvent*) {
    if (surface_) return;  // it covers the panel
    PaintPicture();
    if (!overlay_.isEmpty()) {
        QPainter painter(this);
        PaintOverlay(painter);
    }
}

void VideoPanel::PaintOverlay(QPainter& painter) {
    if (overlay_.isEmpty()) return;
    QFont big = font();
    big.setPixelSize(std::max(14, height() / 24));
    big.setBold(true);
    painter.setFont(big);
    const int margin = big.pixelSize() / 2;
    const QRect text = painter.fontMetrics().boundingRect(overlay_);
    const QRect box(margin, margin, text.width() + 2 * margin, text.height() + margin);
    painter.fillRect(box, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, overlay_);
}

void VideoPanel::PaintPicture() {
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
    // The picture is made at the screen's own resolution, not stretched from the panel's size.
    const qreal ratio = devicePixelRatio();
    if (device_ && RenderDeviceFrame(*device_, (QSizeF(size()) * ratio).toSize(), frame_)) {
        frame_.setDevicePixelRatio(ratio);
        painter.drawImage(0, 0, frame_);
    } else {
        painter.fillRect(rect(), Qt::black);
    }
}

}  // namespace orvalen
