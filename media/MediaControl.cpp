#include "media/MediaControl.h"

namespace orvalen {

namespace {

constexpr double kNormalSpeed = 1.0;
constexpr double kDoubleSpeed = 2.0;
constexpr int32_t kOneMinuteMs = 60000;

}  // namespace

bool MediaControl::OpenMovie(const std::string& path) {
    return device_.Open(path);
}

std::string MediaControl::OpenError() const {
    const std::string reason = device_.OpenError();
    return reason.empty() ? "it cannot be played" : reason;
}

bool MediaControl::AtEnd() {
    return device_.AtEnd();
}

// The window shows the picture itself: nothing to make visible on the device.
void MediaControl::ShowVideoWindow() {}

bool MediaControl::PlayMovie() {
    return Play(kNormalSpeed);
}

bool MediaControl::PlayFast() {
    return Play(kDoubleSpeed);
}

// Full screen is the window's business; the device plays at normal speed.
bool MediaControl::PlayFullScreen() {
    return Play(kNormalSpeed);
}

bool MediaControl::PlayAtSpeed(double speed) {
    return Play(speed);
}

bool MediaControl::Play(double speed) {
    if (!device_.Play(speed)) return false;
    speed_ = speed;
    return true;
}

bool MediaControl::PauseMovie() {
    return device_.Pause();
}

bool MediaControl::StopMovie() {
    return device_.StopAndRewind();
}

bool MediaControl::BackOneMinute() {
    // A failed position query (-1) gives a target below 0, hence the start.
    const int64_t target = static_cast<int64_t>(GetPosition()) - kOneMinuteMs;
    if (!device_.Seek(target <= 0 ? 0 : static_cast<int32_t>(target))) return false;
    return PlayMovie();
}

bool MediaControl::SeekTo(int32_t ms) {
    return device_.Seek(ms);
}

int32_t MediaControl::GetPosition() {
    return device_.Position();
}

int32_t MediaControl::GetLength() {
    return device_.Length();
}

std::string MediaControl::GetMode() {
    std::string mode = device_.Mode();
    // The status bar always shows a word, and "playing" only when the film plays.
    if (mode.empty()) mode = "not ready";
    return mode;
}

bool MediaControl::GetVideoSize(int32_t& width, int32_t& height) {
    int32_t w = 0;
    int32_t h = 0;
    if (!device_.VideoSize(w, h)) return false;
    width = w;
    height = h;
    return true;
}

bool MediaControl::SoundOff() {
    return device_.SetMute(true);
}

bool MediaControl::SoundOn() {
    return device_.SetMute(false);
}

bool MediaControl::SetVolume(double level) {
    return device_.SetVolume(level);
}

bool MediaControl::CloseAllDevices() {
    return device_.Close();
}

int32_t MediaControl::GetFrameRate(const std::string& path) {
    return device_.FrameRate(path);
}

}  // namespace orvalen
