#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "media/GpuFrameSource.h"

namespace orvalen {

// The back end that plays one film at a time. MediaControl turns these into the operations
// the window uses; tests of the window may supply a fake.
class MediaDevice {
  public:
    virtual ~MediaDevice() = default;

    // Opens the film synchronously, paused at its start. False when it will not open;
    // OpenError then says why, in words for the user ("unrecognized file format").
    virtual bool Open(const std::string& path) = 0;
    virtual std::string OpenError() const { return {}; }
    // Closes the film, if any. False only when the back end refuses.
    virtual bool Close() = 0;
    virtual bool Play(double speed) = 0;
    virtual bool Pause() = 0;
    // Stops and rewinds to 0; the film stays open and the mode reads "stopped".
    virtual bool StopAndRewind() = 0;
    virtual bool Seek(int32_t ms) = 0;
    // Milliseconds, or -1 when nothing is open or the back end cannot tell.
    virtual int32_t Position() = 0;
    virtual int32_t Length() = 0;
    // True when the film has played to its end and stands on its last picture, where playing
    // does not move it (until a seek).
    virtual bool AtEnd() { return false; }
    // "playing", "paused", "stopped", "seeking" or "not ready".
    virtual std::string Mode() = 0;
    virtual bool VideoSize(int32_t& width, int32_t& height) = 0;
    virtual bool SetMute(bool muted) = 0;
    // The sound level from 0 (silent) to 1 (full); a device without one refuses.
    virtual bool SetVolume(double level) {
        (void)level;
        return false;
    }
    // Thousandths of frames per second of the film at path, 0 when unknown.
    virtual int32_t FrameRate(const std::string& path) = 0;

    // Picture hand-over. The callback may run on any thread; the window then calls
    // RenderFrame on its own thread to draw the current picture into a buffer of 32-bit
    // pixels (byte order B, G, R, unused on little-endian: QImage::Format_RGB32). RenderFrame
    // is false while there is no picture (nothing open, no video, first frame not yet drawn);
    // the next callback says when to try again.
    virtual void SetFrameReadyCallback(std::function<void()> callback) { (void)callback; }
    virtual bool RenderFrame(int width, int height, size_t stride, void* pixels) {
        (void)width, (void)height, (void)stride, (void)pixels;
        return false;
    }

    // The GPU path. BeginGpuRendering (window's thread) stops the device's own drawing, before
    // the first film opens; false when the device cannot draw with OpenGL. CreateGpuFrameSource
    // then runs on the rendering thread with loader's context current (null when mpv refuses
    // it); the source must be destroyed on that thread, before EndGpuRendering (window's
    // thread) returns to the device's own drawing, with the open film's picture shown again.
    virtual bool BeginGpuRendering() { return false; }
    virtual std::unique_ptr<GpuFrameSource> CreateGpuFrameSource(const GlLoader& loader) {
        (void)loader;
        return nullptr;
    }
    virtual void EndGpuRendering() {}
    // Pictures dropped so far in the open film (late for their time); -1 when unknown.
    virtual int64_t DroppedFrames() { return -1; }

    // Releases the back end for good; later calls fail quietly. The window calls it before it
    // destroys the widget that shows the picture.
    virtual void Shutdown() {}
};

}  // namespace orvalen
