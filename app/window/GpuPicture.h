#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSize>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include <QThread>

#include "media/RenderPath.h"

class QOpenGLFramebufferObject;

namespace orvalen {

class MediaDevice;
class GpuFrameSource;

// What an OpenGL context made for the film's pictures would be; probing needs a display.
struct OpenGlReport {
    bool ContextMade = false;
    QString Renderer;  // GL_RENDERER, empty without a context
};
OpenGlReport ProbeOpenGl();

// The render path the window uses: forced by --render or ORVALEN_RENDER when given, else chosen
// from what OpenGL offers.
RenderPath DecideRenderPath(std::optional<RenderPath> forced, const OpenGlReport& report);

// The film's pictures drawn with OpenGL on a thread of their own, into textures that the
// window's OpenGL surfaces show. mpv draws each picture as soon as it is due, whatever the window
// does (as the software path does, so that calls of the window's thread that wait for mpv never
// wait for a paint); a surface then draws the latest finished picture, with OpenGL fences
// ordering the two contexts' work.
class GpuPicture {
  public:
    GpuPicture();
    ~GpuPicture();
    GpuPicture(const GpuPicture&) = delete;
    GpuPicture& operator=(const GpuPicture&) = delete;

    // Takes over device's pictures; false (and the device keeps drawing itself) when no OpenGL
    // context or renderer can be made. Call before the first film opens.
    bool Start(MediaDevice& device);
    // Stops drawing and gives the pictures back to the device. Safe to call twice.
    void Stop(MediaDevice& device);
    bool Running() const { return thread_ != nullptr; }

    // Runs on the rendering thread after each new picture, or when drawing has failed for good
    // (Failed() then tells).
    void SetFrameReadyCallback(std::function<void()> callback);
    bool Failed() const;

    // On a surface's thread with its context current, sharing with the rendering context: hands
    // the texture of the latest picture (top row first) to draw. False when there is none; the
    // next pictures come at pixelSize.
    bool DrawLatest(const QSize& pixelSize, const std::function<void(unsigned texture)>& draw);

  private:
    struct Picture;
    void Run(MediaDevice* device);
    void Render(GpuFrameSource& source);

    QOpenGLContext context_;
    QOffscreenSurface surface_;
    std::unique_ptr<QThread> thread_;

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable wake_;
    bool quit_ = false;
    bool updatePending_ = false;
    bool redrawPending_ = false;
    bool failed_ = false;
    bool started_ = false;  // the rendering thread has made (or failed to make) its source
    QSize target_;
    std::unique_ptr<Picture> front_;
    std::unique_ptr<Picture> back_;
    std::shared_ptr<const std::atomic<uint64_t>> filmShown_;

    std::mutex callbackMutex_;
    std::function<void()> callback_;
};

}  // namespace orvalen
