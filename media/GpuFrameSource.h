#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace orvalen {

// OpenGL as the windowing side provides it to a renderer on the thread where its context is
// current.
struct GlLoader {
    void* (*GetProcAddress)(void* context, const char* name) = nullptr;
    void* Context = nullptr;         // passed back to GetProcAddress
    void* X11Display = nullptr;      // the X11 Display*, for hardware decoding; null elsewhere
    void* WaylandDisplay = nullptr;  // the wl_display*, likewise
};

// A film's pictures drawn with OpenGL. Every call, creation and destruction included, comes
// from one thread with the same OpenGL context current.
class GpuFrameSource {
  public:
    virtual ~GpuFrameSource() = default;
    // Runs on a thread of the player's when a new picture may be ready; it must only wake the
    // rendering thread.
    virtual void SetUpdateCallback(std::function<void()> callback) = 0;
    // After an update: whether a new picture is due (false: only a redraw would change nothing).
    virtual bool TakeNewFrame() = 0;
    // Draws the current picture, letterboxed, into the framebuffer object fbo of width by
    // height pixels, top row first. False when drawing failed (the context is unusable).
    virtual bool Render(int fbo, int width, int height) = 0;
    // Lets the player move on to the next picture without drawing this one.
    virtual void SkipFrame() = 0;
    // Which film's pictures may be shown, readable from any thread: 0 while none (nothing open,
    // or mpv drawing its background while it unloads one), a new number for each film opened.
    // A picture drawn for another number is not shown.
    virtual std::shared_ptr<const std::atomic<uint64_t>> FilmShown() const = 0;
};

}  // namespace orvalen
