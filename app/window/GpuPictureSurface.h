#pragma once

#include <QOpenGLTextureBlitter>
#include <QOpenGLWidget>
#include <functional>

class QPainter;

namespace orvalen {

class GpuPicture;

// Shows the latest picture of a GpuPicture over the whole of its parent, then lets the parent
// paint what goes over the picture. Mouse events go through to the parent.
class GpuPictureSurface : public QOpenGLWidget {
    Q_OBJECT
  public:
    GpuPictureSurface(GpuPicture& picture, std::function<void(QPainter&)> paintOver,
                      QWidget* parent);
    ~GpuPictureSurface() override;

  protected:
    void initializeGL() override;
    void paintGL() override;

  private:
    void ReleaseGl();

    GpuPicture& picture_;
    std::function<void(QPainter&)> paintOver_;
    QOpenGLTextureBlitter blitter_;
};

}  // namespace orvalen
