#include "media/MpvDevice.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <mutex>

#include "media/MpvGlRenderer.h"

namespace orvalen {

namespace {

using Clock = std::chrono::steady_clock;

// A seek whose playback restart never comes (a broken stream) stops hiding the position.
constexpr auto kSeekPatience = std::chrono::seconds(3);
// The picture size is known once the first frame is decoded.
constexpr auto kVideoPatience = std::chrono::seconds(2);

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool SameFilm(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

MpvDevice::MpvDevice(mpv::VideoOutput output, std::chrono::milliseconds openTimeout)
    : openTimeout_(openTimeout) {
    core_ = mpv::CreateCore(output);
    if (core_ != nullptr) mpv_set_wakeup_callback(core_, &MpvDevice::OnWakeup, &eventsPending_);
    // Without a render context mpv plays the sound and shows nothing.
    if (core_ != nullptr && output == mpv::VideoOutput::Rendered) {
        renderer_ = std::make_unique<mpv::FrameRenderer>(core_);
    }
}

MpvDevice::~MpvDevice() {
    Shutdown();
}

void MpvDevice::Shutdown() {
    renderer_.reset();
    if (core_ != nullptr) {
        mpv_set_wakeup_callback(core_, nullptr, nullptr);
        mpv_terminate_destroy(core_);
        core_ = nullptr;
    }
    ForgetFilm();
}

void MpvDevice::ForgetFilm() {
    if (renderer_) renderer_->Clear();
    filmShown_->store(0);
    open_ = false;
    path_.clear();
    stopped_ = false;
    pendingSeek_.reset();
}

void MpvDevice::OnWakeup(void* pending) {
    static_cast<std::atomic<bool>*>(pending)->store(true);
}

void MpvDevice::DrainEvents() {
    if (core_ == nullptr) return;
    bool lost = false;
    // An event that arrives during the drain sets the flag again for the next call.
    if (eventsPending_.exchange(false)) {
        for (;;) {
            const mpv_event* event = mpv_wait_event(core_, 0);
            if (event->event_id == MPV_EVENT_NONE) break;
            if (event->event_id == MPV_EVENT_SHUTDOWN) lost = true;
            HandleEvent(*event);
        }
    }
    if (lost) Shutdown();
    if (pendingSeek_ && Clock::now() - pendingSeek_->issued > kSeekPatience) pendingSeek_.reset();
}

void MpvDevice::HandleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_COMMAND_REPLY:
            // Replies and restarts arrive in the order mpv handled them, so a restart after
            // this seek's reply belongs to this seek or a later one, never an earlier one.
            if (pendingSeek_ && event.reply_userdata == pendingSeek_->reply) {
                if (event.error < 0) {
                    pendingSeek_.reset();
                } else {
                    pendingSeek_->accepted = true;
                }
            }
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            if (pendingSeek_ && pendingSeek_->accepted) pendingSeek_.reset();
            break;
        case MPV_EVENT_END_FILE:
            // With keep-open the end of the film keeps it loaded: this is a film lost to an
            // error, so report nothing open rather than stale answers.
            if (open_) ForgetFilm();
            break;
        case MPV_EVENT_SHUTDOWN:
            ForgetFilm();
            break;
        default:
            break;
    }
}

bool MpvDevice::SetFlag(const char* name, bool value) {
    int flag = value ? 1 : 0;
    return mpv_set_property(core_, name, MPV_FORMAT_FLAG, &flag) >= 0;
}

bool MpvDevice::GetFlag(const char* name, bool& value) {
    int flag = 0;
    if (mpv_get_property(core_, name, MPV_FORMAT_FLAG, &flag) < 0) return false;
    value = flag != 0;
    return true;
}

bool MpvDevice::Open(const std::string& path) {
    openError_ = "the player (libmpv) is not running";
    if (core_ == nullptr) return false;
    DrainEvents();
    if (core_ == nullptr) return false;
    ForgetFilm();
    // Each film starts paused, at normal speed and with sound, whatever the last one did.
    SetFlag("pause", true);
    double normal = 1.0;
    mpv_set_property(core_, "speed", MPV_FORMAT_DOUBLE, &normal);
    SetFlag("mute", false);

    const mpv::LoadResult result = mpv::LoadFile(
        core_, path, openTimeout_, [this](const mpv_event& event) { HandleEvent(event); },
        &openError_);
    if (result != mpv::LoadResult::Loaded || core_ == nullptr) return false;
    open_ = true;
    path_ = path;
    if (renderer_) renderer_->Show();
    filmShown_->store(++filmsOpened_);
    // Opened and never played: at 0 and not moving, which the device calls stopped.
    stopped_ = true;
    return true;
}

bool MpvDevice::Close() {
    if (core_ == nullptr) return true;
    DrainEvents();
    if (core_ == nullptr) return true;
    const bool wasOpen = open_;
    ForgetFilm();
    if (!wasOpen) return true;
    const char* stop[] = {"stop", nullptr};
    return mpv_command(core_, stop) >= 0;
}

bool MpvDevice::Play(double speed) {
    if (!open_) return false;
    DrainEvents();
    if (!open_) return false;
    if (mpv_set_property(core_, "speed", MPV_FORMAT_DOUBLE, &speed) < 0) return false;
    if (!SetFlag("pause", false)) return false;
    stopped_ = false;
    return true;
}

bool MpvDevice::Pause() {
    if (!open_) return false;
    DrainEvents();
    if (!open_) return false;
    return SetFlag("pause", true);
}

bool MpvDevice::StopAndRewind() {
    if (!open_) return false;
    DrainEvents();
    if (!open_) return false;
    // mpv's own stop unloads the film; the device's stop keeps it, paused at its start.
    if (!SetFlag("pause", true) || !IssueSeek(0)) return false;
    stopped_ = true;
    return true;
}

bool MpvDevice::Seek(int32_t ms) {
    if (!open_) return false;
    DrainEvents();
    if (!open_) return false;
    return IssueSeek(ms);
}

bool MpvDevice::IssueSeek(int32_t ms) {
    int32_t target = std::max(ms, 0);
    const int32_t length = Length();
    if (length >= 0) target = std::min(target, length);
    const std::string seconds = mpv::MsToSecondsText(target);
    const char* seek[] = {"seek", seconds.c_str(), "absolute+exact", nullptr};
    const uint64_t reply = ++lastReply_;
    if (mpv_command_async(core_, reply, seek) < 0) return false;
    pendingSeek_ = PendingSeek{target, reply, false, Clock::now()};
    return true;
}

int32_t MpvDevice::Position() {
    if (!open_) return -1;
    DrainEvents();
    if (!open_) return -1;
    if (pendingSeek_) return pendingSeek_->target;
    double seconds = 0.0;
    if (mpv_get_property(core_, "time-pos", MPV_FORMAT_DOUBLE, &seconds) < 0) return -1;
    return mpv::SecondsToMs(seconds);
}

int32_t MpvDevice::Length() {
    if (!open_) return -1;
    double seconds = 0.0;
    if (mpv_get_property(core_, "duration", MPV_FORMAT_DOUBLE, &seconds) < 0) return -1;
    return mpv::SecondsToMs(seconds);
}

std::string MpvDevice::OpenError() const {
    return openError_;
}

bool MpvDevice::AtEnd() {
    if (!open_) return false;
    DrainEvents();
    if (!open_ || pendingSeek_) return false;
    bool atEnd = false;
    return GetFlag("eof-reached", atEnd) && atEnd;
}

std::string MpvDevice::Mode() {
    if (!open_) return "not ready";
    DrainEvents();
    if (!open_) return "not ready";
    if (pendingSeek_) return "seeking";
    if (stopped_) return "stopped";
    bool atEnd = false;
    if (GetFlag("eof-reached", atEnd) && atEnd) return "stopped";
    bool paused = false;
    if (!GetFlag("pause", paused)) return "not ready";
    return paused ? "paused" : "playing";
}

bool MpvDevice::VideoSize(int32_t& width, int32_t& height) {
    if (!open_) return false;
    DrainEvents();
    if (!open_) return false;
    char* video = mpv_get_property_string(core_, "vid");
    const bool hasVideo = video != nullptr && std::string(video) != "no";
    mpv_free(video);
    if (!hasVideo) return false;

    // The display size is known after the first VIDEO_RECONFIG, which may come after the
    // film is loaded; look again after each event until it is there.
    const Clock::time_point deadline = Clock::now() + kVideoPatience;
    for (;;) {
        int64_t w = 0;
        int64_t h = 0;
        if (mpv_get_property(core_, "dwidth", MPV_FORMAT_INT64, &w) >= 0 &&
            mpv_get_property(core_, "dheight", MPV_FORMAT_INT64, &h) >= 0 && w > 0 && h > 0) {
            width = ClampToInt32(w);
            height = ClampToInt32(h);
            return true;
        }
        const double wait = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (wait <= 0.0) return false;
        const mpv_event* event = mpv_wait_event(core_, std::min(wait, 0.05));
        if (event->event_id == MPV_EVENT_SHUTDOWN) {
            Shutdown();
            return false;
        }
        HandleEvent(*event);
        if (!open_) return false;
    }
}

bool MpvDevice::SetMute(bool muted) {
    if (!open_) return false;
    return SetFlag("mute", muted);
}

// mpv counts in percent; the level lasts from one film to the next.
bool MpvDevice::SetVolume(double level) {
    if (core_ == nullptr) return false;
    double percent = level * 100.0;
    return mpv_set_property(core_, "volume", MPV_FORMAT_DOUBLE, &percent) >= 0;
}

bool MpvDevice::Muted() {
    bool muted = false;
    return open_ && GetFlag("mute", muted) && muted;
}

int32_t MpvDevice::FrameRate(const std::string& path) {
    if (open_ && SameFilm(path, path_)) {
        double fps = 0.0;
        if (mpv_get_property(core_, "container-fps", MPV_FORMAT_DOUBLE, &fps) < 0) return 0;
        return mpv::FpsToThousandths(fps);
    }
    return mpv::ProbeFrameRate(path);
}

void MpvDevice::SetFrameReadyCallback(std::function<void()> callback) {
    if (renderer_) renderer_->SetFrameReadyCallback(std::move(callback));
}

bool MpvDevice::BeginGpuRendering() {
    if (core_ == nullptr || !renderer_ || open_) return false;
    // mpv allows one render context per core. Hardware decoding pays off only here, where its
    // frames stay on the graphics card.
    renderer_.reset();
    mpv_set_property_string(core_, "hwdec", "auto-safe");
    return true;
}

std::unique_ptr<GpuFrameSource> MpvDevice::CreateGpuFrameSource(const GlLoader& loader) {
    if (core_ == nullptr || renderer_) return nullptr;
    auto source = std::make_unique<mpv::GlRenderer>(core_, loader, filmShown_);
    if (!source->Active()) return nullptr;
    return source;
}

void MpvDevice::EndGpuRendering() {
    if (core_ == nullptr || renderer_) return;
    mpv_set_property_string(core_, "hwdec", "no");
    renderer_ = std::make_unique<mpv::FrameRenderer>(core_);
    if (!renderer_->Active()) return;
    if (open_) {
        // Freeing the OpenGL context turned the film's video off: bring it back, and show it.
        const char* reload[] = {"video-reload", nullptr};
        mpv_command(core_, reload);
        renderer_->Show();
    }
}

int64_t MpvDevice::DroppedFrames() {
    int64_t dropped = -1;
    if (!open_ || mpv_get_property(core_, "frame-drop-count", MPV_FORMAT_INT64, &dropped) < 0) {
        return -1;
    }
    return dropped;
}

bool MpvDevice::RenderFrame(int width, int height, size_t stride, void* pixels) {
    if (!renderer_) return false;
    return renderer_->CopyFrame(width, height, stride, pixels);
}

}  // namespace orvalen
