#pragma once

#include <QImage>
#include <QWidget>

namespace orvalen {

class GpuPicture;
class GpuPictureSurface;
class MediaDevice;

// A black panel that shows the media device's current picture.
class VideoPanel : public QWidget {
    Q_OBJECT
  public:
    explicit VideoPanel(QWidget* parent = nullptr);

    // The device whose picture is shown; null shows black.
    void SetDevice(MediaDevice* device) { device_ = device; }
    // Shows picture's frames on an OpenGL surface instead of the device's own; null goes back
    // to the device's.
    void UseGpuPicture(GpuPicture* picture);
    bool ShowsGpuPicture() const { return surface_ != nullptr; }
    // A new picture is ready: paint it.
    void FrameReady();
    // A short message drawn over the picture's top-left corner; empty for none.
    void SetOverlayText(const QString& text);
    const QString& OverlayText() const { return overlay_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // What goes over the picture, painted after it on either path.
    virtual void PaintOverPicture(QPainter& painter) { (void)painter; }
    // Repaints area of what goes over the picture (the OpenGL surface repaints whole).
    void RefreshOver(const QRect& area);

  private:
    // The window's pixels under this panel while it paints into the window's raster store,
    // shared rather than copied; a null image otherwise.
    QImage WindowPixels() const;

    void PaintPicture();
    void PaintOverlay(QPainter& painter);

    MediaDevice* device_ = nullptr;
    GpuPictureSurface* surface_ = nullptr;
    QString overlay_;
    QImage frame_;  // where the picture goes when the window's pixels cannot take it
};

// Renders the device's current picture into image (resized to size when needed). False when
// the device has no picture.
bool RenderDeviceFrame(MediaDevice& device, const QSize& size, QImage& image);

}  // namespace orvalen
