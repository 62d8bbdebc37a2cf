#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

struct mpv_handle;
struct mpv_render_context;

namespace orvalen::mpv {

// Draws mpv's frames with the software renderer on a thread of its own and keeps the latest
// one for the window to copy.
//
// libmpv holds back the next frame, and the end of a seek, until the current frame has been
// rendered, and its render functions must not share a thread with calls that wait for the
// core. So every frame is rendered here as soon as mpv offers it, whether or not the window
// paints, and the window's thread only copies finished pixels.
class FrameRenderer {
  public:
    // Creates the render context on core; Active() tells whether that worked.
    explicit FrameRenderer(mpv_handle* core);
    // Stops the thread and frees the render context; must happen before the core is destroyed.
    ~FrameRenderer();
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    bool Active() const { return context_ != nullptr; }

    // Called on the renderer's thread after each new picture; must not call back into this
    // object's SetFrameReadyCallback.
    void SetFrameReadyCallback(std::function<void()> callback);

    // Copies the latest picture, letterboxed to width by height, as 32-bit pixels in byte order
    // B, G, R, 0xff (mpv's "bgr0" made opaque: QImage::Format_RGB32 on little-endian, where
    // "rgb0" would swap red and blue). The pointer and stride must be 4-byte aligned. A picture
    // drawn at another size is stretched to fit this once, and the next one comes at this size.
    // False when there is no picture (nothing open yet, or a film without video).
    bool CopyFrame(int width, int height, size_t stride, void* pixels);

    // Forgets the picture and drops every picture drawn until Show, so that a closed film,
    // or the background mpv draws while it unloads one, leaves nothing to show.
    void Clear();
    // Takes pictures again, starting with the current one (a paused film draws no new frame).
    void Show();

  private:
    struct Picture;

    static void OnUpdate(void* self);
    void Run();

    mpv_render_context* context_ = nullptr;
    std::thread thread_;

    std::mutex mutex_;  // guards everything below
    std::condition_variable wake_;
    bool quit_ = false;
    bool updatePending_ = false;
    bool redrawPending_ = false;
    int targetWidth_ = 0;
    int targetHeight_ = 0;
    uint64_t generation_ = 0;  // moves on at each Clear: a picture drawn before is dropped
    bool showing_ = false;     // between Show and Clear
    std::unique_ptr<Picture> front_;
    std::unique_ptr<Picture> back_;

    std::mutex callbackMutex_;
    std::function<void()> callback_;
};

}  // namespace orvalen::mpv
