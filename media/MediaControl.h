#pragma once

#include <cstdint>
#include <string>

#include "media/MediaDevice.h"

namespace orvalen {

// The playback operations of the window. Failures are quiet: false, -1 or 0, never a message
// or an exception.
class MediaControl {
  public:
    explicit MediaControl(MediaDevice& device) : device_(device) {}

    MediaDevice& Device() { return device_; }

    bool OpenMovie(const std::string& path);
    std::string OpenError() const;  // why the last OpenMovie failed
    bool AtEnd();                   // played to the end and standing there
    void ShowVideoWindow();
    bool PlayMovie();       // normal speed
    bool PlayFast();        // double speed until the next PlayMovie or PlayFullScreen
    bool PlayFullScreen();  // normal speed; the window shows the picture full screen
    bool PlayAtSpeed(double speed);
    bool PauseMovie();
    bool StopMovie();  // stop and rewind to 0
    bool BackOneMinute();
    bool SeekTo(int32_t ms);
    int32_t GetPosition();  // -1 on failure
    int32_t GetLength();    // -1 on failure
    std::string GetMode();
    bool GetVideoSize(int32_t& width, int32_t& height);
    bool SoundOff();
    bool SoundOn();
    bool SetVolume(double level);  // 0 to 1
    bool CloseAllDevices();
    int32_t GetFrameRate(const std::string& path);  // 0 on failure
    // The speed the last play command set: 1 normally, 2 after PlayFast, or PlayAtSpeed's.
    double Speed() const { return speed_; }

  private:
    bool Play(double speed);

    MediaDevice& device_;
    double speed_ = 1.0;
};

// Milliseconds as H:MM:SS, milliseconds dropped; -1 gives "0:00:00".
std::string TimeText(int32_t ms);

}  // namespace orvalen
