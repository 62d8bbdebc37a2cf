#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "media/MediaDevice.h"
#include "media/MpvCore.h"
#include "media/MpvFrameRenderer.h"

namespace orvalen {

// The media device over libmpv.
//
// Threads: every call comes from one thread (the window's). mpv's events are drained on that
// thread by the calls themselves, without blocking except where a call waits for a bounded
// moment (Open, VideoSize). Frames are rendered on a thread of the device's own (see
// mpv::FrameRenderer); the frame-ready callback runs there.
//
// Picture: with VideoOutput::Rendered, RenderFrame copies the latest frame in byte order
// B, G, R, 0xff (mpv's "bgr0" made opaque), which is QImage::Format_RGB32 on little-endian
// machines ("rgb0" would swap red and blue there). It may be called from the window's thread
// or any one other thread (never at the same time as Shutdown), and returns false while there
// is no picture; the frame-ready callback says when to call it again.
//
// Shutdown: the window must call Shutdown before it destroys the widget that paints the
// frames: the render context has to be freed before the core, and the frame-ready callback
// must not reach a destroyed widget. The destructor shuts down too.
class MpvDevice final : public MediaDevice {
  public:
    explicit MpvDevice(mpv::VideoOutput output = mpv::VideoOutput::Rendered,
                       std::chrono::milliseconds openTimeout = std::chrono::seconds(5));
    ~MpvDevice() override;
    MpvDevice(const MpvDevice&) = delete;
    MpvDevice& operator=(const MpvDevice&) = delete;

    // False when libmpv could not be started (or after Shutdown): every call then fails.
    bool Usable() const { return core_ != nullptr; }

    bool Open(const std::string& path) override;
    std::string OpenError() const override;
    bool Close() override;
    bool Play(double speed) override;
    bool Pause() override;
    bool StopAndRewind() override;
    // Targets below 0 go to 0 (mpv would count a negative target from the end) and targets
    // past the end go to the end.
    bool Seek(int32_t ms) override;
    // While a seek runs, its target: mpv reports the old position until playback restarts.
    int32_t Position() override;
    int32_t Length() override;
    std::string Mode() override;
    bool AtEnd() override;
    // False for a film without video: there is no picture to size the window to.
    bool VideoSize(int32_t& width, int32_t& height) override;
    bool SetMute(bool muted) override;
    bool SetVolume(double level) override;
    // Whether the open film's sound is off; false when nothing is open.
    bool Muted();
    int32_t FrameRate(const std::string& path) override;

    void SetFrameReadyCallback(std::function<void()> callback) override;
    bool RenderFrame(int width, int height, size_t stride, void* pixels) override;
    void Shutdown() override;

    bool BeginGpuRendering() override;
    std::unique_ptr<GpuFrameSource> CreateGpuFrameSource(const GlLoader& loader) override;
    void EndGpuRendering() override;
    int64_t DroppedFrames() override;

  private:
    struct PendingSeek {
        int32_t target;
        uint64_t reply;  // the id of the seek command's reply
        bool accepted;   // the reply came: the next playback restart is this seek's
        std::chrono::steady_clock::time_point issued;
    };

    static void OnWakeup(void* pending);
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    bool IssueSeek(int32_t ms);
    bool SetFlag(const char* name, bool value);
    bool GetFlag(const char* name, bool& value);
    void ForgetFilm();

    mpv_handle* core_ = nullptr;
    // Set by mpv (on its threads) when events arrive: most calls then find nothing to drain
    // and skip mpv_wait_event, which costs far more than a property read.
    std::atomic<bool> eventsPending_{true};
    std::unique_ptr<mpv::FrameRenderer> renderer_;
    // For the GPU path: the film whose pictures may be shown (see GpuFrameSource::FilmShown).
    std::shared_ptr<std::atomic<uint64_t>> filmShown_ = std::make_shared<std::atomic<uint64_t>>(0);
    uint64_t filmsOpened_ = 0;
    std::chrono::milliseconds openTimeout_;

    bool open_ = false;
    std::string path_;
    std::string openError_;
    bool stopped_ = false;
    std::optional<PendingSeek> pendingSeek_;
    uint64_t lastReply_ = 0;
};

}  // namespace orvalen
