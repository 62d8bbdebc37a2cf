#include "app/window/GpuPictureSurface.h"

#include <QOpenGLFunctions>
#include <QPainter>

#include "app/window/GpuPicture.h"

namespace orvalen {

GpuPictureSurface::GpuPictureSurface(GpuPicture& picture, std::function<void(QPainter&)> paintOver,
                                     QWidget* parent)
    : QOpenGLWidget(parent), picture_(picture), paintOver_(std::move(paintOver)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

GpuPictureSurface::~GpuPictureSurface() {
    ReleaseGl();
}

void GpuPictureSurface::ReleaseGl() {
    if (!blitter_.isCreated()) return;
    makeCurrent();
    blitter_.destroy();
    doneCurrent();
}

void GpuPictureSurface::initializeGL() {
    // A new context (the surface moved to another window): the old one's blitter is gone.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GpuPictureSurface::ReleaseGl,
            Qt::UniqueConnection);
    blitter_.create();
}

void GpuPictureSurface::paintGL() {
    auto* gl = context()->functions();
    const QSize pixels = size() * devicePixelRatioF();
    gl->glViewport(0, 0, pixels.width(), pixels.height());
    const bool shown =
        blitter_.isCreated() && picture_.DrawLatest(pixels, [this](unsigned texture) {
            blitter_.bind();
            blitter_.blit(texture, QMatrix4x4(), QOpenGLTextureBlitter::OriginTopLeft);
            blitter_.release();
        });
    if (!shown) {
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
    }
    if (paintOver_) {
        QPainter painter(this);
        paintOver_(painter);
    }
}

}  // namespace orvalen
