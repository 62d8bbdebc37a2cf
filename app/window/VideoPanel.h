#pragma once

#include <QImage>
#include <QWidget>

namespace orvalen {

class MediaDevice;

// A black panel that shows the media device's current picture.
class VideoPanel : public QWidget {
    Q_OBJECT
  public:
    explicit VideoPanel(QWidget* parent = nullptr);

    // The device whose picture is shown; null shows black.
    void SetDevice(MediaDevice* device) { device_ = device; }
    // A new picture is ready: paint it.
    void FrameReady();
    // A short message drawn over the picture's top-left corner; empty for none.
    void SetOverlayText(const QString& text);
    const QString& OverlayText() const { return overlay_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The window's pixels under this panel while it paints into the window's raster store,
    // shared rather than copied; a null image otherwise.
    QImage WindowPixels() const;

    void PaintPicture();
    void PaintOverlay();

    MediaDevice* device_ = nullptr;
    QString overlay_;
    QImage frame_;  // where the picture goes when the window's pixels cannot take it
};

// Renders the device's current picture into image (resized to size when needed). False when
// the device has no picture.
bool RenderDeviceFrame(MediaDevice& device, const QSize& size, QImage& image);

}  // namespace orvalen
