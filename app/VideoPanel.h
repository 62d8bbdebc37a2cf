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
    // A new picture is ready: render it at the next paint.
    void FrameReady();
    // The picture last painted (null before the first one).
    const QImage& LastFrame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    MediaDevice* device_ = nullptr;
    QImage frame_;
    bool hasFrame_ = false;
    bool frameStale_ = false;
};

// Renders the device's current picture into image (resized to size when needed). False when
// the device has no picture.
bool RenderDeviceFrame(MediaDevice& device, const QSize& size, QImage& image);

}  // namespace orvalen
