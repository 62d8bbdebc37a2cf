#include "app/window/GpuPicture.h"

#include <QGuiApplication>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <chrono>
#include <cstdio>

#include "media/MediaDevice.h"

namespace orvalen {

namespace {

// Creating mpv's renderer takes a moment (shaders); a driver that hangs longer has failed.
constexpr auto kStartPatience = std::chrono::seconds(10);
// glGetError's answer once the driver has lost the context (a reset, a removed card).
constexpr GLenum kContextLost = 0x0507;

void* ResolveGl(void* context, const char* name) {
    return reinterpret_cast<void*>(static_cast<QOpenGLContext*>(context)->getProcAddress(name));
}

bool RecentEnough(const QSurfaceFormat& format) {
    // Fences that order the rendering and the showing contexts came with these versions.
    const auto version = format.version();
    if (format.renderableType() == QSurfaceFormat::OpenGLES) return version >= qMakePair(3, 0);
    return version >= qMakePair(3, 2);
}

void* X11DisplayOf() {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        return x11->display();
    }
    return nullptr;
}

}  // namespace

struct GpuPicture::Picture {
    std::unique_ptr<QOpenGLFramebufferObject> target;
    GLsync drawn = nullptr;  // set by the rendering context when the picture is complete
    GLsync shown = nullptr;  // set by the last surface that drew it
    uint64_t film = 0;

    // With the rendering context current.
    ~Picture() {
        if (auto* context = QOpenGLContext::currentContext()) {
            auto* gl = context->extraFunctions();
            if (drawn) gl->glDeleteSync(drawn);
            if (shown) gl->glDeleteSync(shown);
        }
    }
};

OpenGlReport ProbeOpenGl() {
    OpenGlReport report;
    QOpenGLContext context;
    context.setShareContext(QOpenGLContext::globalShareContext());
    QOffscreenSurface surface;
    surface.create();
    if (!context.create() || !RecentEnough(context.format()) || !context.makeCurrent(&surface)) {
        return report;
    }
    report.ContextMade = true;
    const auto* renderer = context.functions()->glGetString(GL_RENDERER);
    report.Renderer = QString::fromLatin1(reinterpret_cast<const char*>(renderer));
    context.doneCurrent();
    return report;
}

RenderPath DecideRenderPath(std::optional<RenderPath> forced, const OpenGlReport& report) {
    const QByteArray renderer = report.Renderer.toLatin1();
    return ChooseRenderPath(
        forced, {report.ContextMade, std::string_view(renderer.constData(), renderer.size())});
}

GpuPicture::GpuPicture() = default;

GpuPicture::~GpuPicture() {
    if (thread_) {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_->wait();
    }
}

bool GpuPicture::Start(MediaDevice& device) {
    if (thread_) return !Failed();
    context_.setShareContext(QOpenGLContext::globalShareContext());
    surface_.setFormat(context_.format());
    surface_.create();
    if (!context_.create() || !RecentEnough(context_.format()) || !surface_.isValid() ||
        !device.BeginGpuRendering()) {
        return false;
    }
    thread_.reset(QThread::create([this, &device] { Run(&device); }));
    context_.moveToThread(thread_.get());
    thread_->start();
    std::unique_lock lock(mutex_);
    if (!wake_.wait_for(lock, kStartPatience, [this] { return started_; }) || failed_) {
        lock.unlock();
        Stop(device);
        return false;
    }
    return true;
}

void GpuPicture::Stop(MediaDevice& device) {
    if (!thread_) return;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_->wait();
    thread_.reset();
    device.EndGpuRendering();
}

void GpuPicture::SetFrameReadyCallback(std::function<void()> callback) {
    std::lock_guard lock(callbackMutex_);
    callback_ = std::move(callback);
}

bool GpuPicture::Failed() const {
    std::lock_guard lock(mutex_);
    return failed_;
}

bool GpuPicture::DrawLatest(const QSize& pixelSize,
                            const std::function<void(unsigned texture)>& draw) {
    std::lock_guard lock(mutex_);
    if (pixelSize != target_ && !pixelSize.isEmpty()) {
        target_ = pixelSize;
        redrawPending_ = true;
        wake_.notify_all();
    }
    if (!front_ || !filmShown_ || front_->film != filmShown_->load()) return false;
    auto* gl = QOpenGLContext::currentContext()->extraFunctions();
    gl->glWaitSync(front_->drawn, 0, GL_TIMEOUT_IGNORED);
    draw(front_->target->texture());
    if (front_->shown) gl->glDeleteSync(front_->shown);
    front_->shown = gl->glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    gl->glFlush();
    return true;
}

void GpuPicture::Run(MediaDevice* device) {
    const bool current = context_.makeCurrent(&surface_);
    std::unique_ptr<GpuFrameSource> source;
    if (current) {
        source = device->CreateGpuFrameSource({&ResolveGl, &context_, X11DisplayOf(), nullptr});
    }
    {
        std::lock_guard lock(mutex_);
        started_ = true;
        failed_ = source == nullptr;
        if (source) filmShown_ = source->FilmShown();
    }
    wake_.notify_all();
    if (source) {
        source->SetUpdateCallback([this] {
            {
                std::lock_guard lock(mutex_);
                updatePending_ = true;
            }
            wake_.notify_all();
        });
        Render(*source);
        source->SetUpdateCallback({});
    }
    source.reset();
    {
        std::lock_guard lock(mutex_);
        front_.reset();
        back_.reset();
    }
    if (current) context_.doneCurrent();
    context_.moveToThread(QCoreApplication::instance()->thread());
}

void GpuPicture::Render(GpuFrameSource& source) {
    auto* gl = context_.extraFunctions();
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || updatePending_ || redrawPending_; });
        if (quit_) return;
        const bool redraw = redrawPending_;
        updatePending_ = redrawPending_ = false;
        const QSize size = target_;
        std::unique_ptr<Picture> picture = std::move(back_);
        const uint64_t film = filmShown_->load();
        lock.unlock();

        const bool newFrame = source.TakeNewFrame();
        bool drawn = false;
        bool broken = false;
        if ((newFrame || redraw) && !size.isEmpty()) {
            if (!picture) picture = std::make_unique<Picture>();
            if (!picture->target || picture->target->size() != size) {
                picture->target = std::make_unique<QOpenGLFramebufferObject>(size);
            }
            // The surface that showed this texture last must be done with it.
            if (picture->shown) gl->glWaitSync(picture->shown, 0, GL_TIMEOUT_IGNORED);
            broken = !picture->target->isValid() ||
                     !source.Render(static_cast<int>(picture->target->handle()), size.width(),
                                    size.height()) ||
                     gl->glGetError() == kContextLost;
            if (!broken) {
                if (picture->drawn) gl->glDeleteSync(picture->drawn);
                picture->drawn = gl->glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
                gl->glFlush();
                picture->film = film;
                drawn = true;
            }
        } else if (newFrame || redraw) {
            // No surface has asked for a size yet: let mpv move on to the next frame.
            source.SkipFrame();
        }

        lock.lock();
        if (drawn && film != 0) std::swap(front_, picture);
        back_ = std::move(picture);
        if (broken) failed_ = true;
        if (newFrame || redraw || broken) {
            lock.unlock();
            {
                std::lock_guard callbackLock(callbackMutex_);
                if (callback_) callback_();
            }
            lock.lock();
        }
        if (broken) return;
    }
}

}  // namespace orvalen
