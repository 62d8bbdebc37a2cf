#pragma once

#include <cstdint>
#include <string>

namespace orvalen {

enum class PlaybackState { Stopped, Paused, Playing };

// The playback speeds the player offers.
constexpr double kMinimumRate = 1.0;
constexpr double kMaximumRate = 2.0;

// What the desktop's media controls may ask of the player and read from it. The main window
// implements it with its own commands, so a command from outside keeps the window, the status
// bar and the clock in step exactly as the menu would.
class PlayerControl {
  public:
    virtual ~PlayerControl() = default;

    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void PlayPause() = 0;
    virtual void Stop() = 0;
    // Moves to ms from the start of the film; callers keep 0 <= ms <= LengthMs().
    virtual void SeekTo(int32_t ms) = 0;

    // Milliseconds, -1 when unknown.
    virtual int32_t PositionMs() = 0;
    virtual int32_t LengthMs() = 0;
    // The open film's path (bytes as the file system has them), empty when no film is open.
    virtual std::string Path() = 0;
    virtual std::string Title() = 0;
    virtual PlaybackState State() = 0;
    // Playback speed: 1 normally, 2 while playing fast.
    virtual double Rate() = 0;
    // A playing film goes on at rate, kept between kMinimumRate and kMaximumRate; otherwise
    // nothing changes, as Play always starts at normal speed.
    virtual void SetRate(double rate) = 0;
    // The sound level from 0 to 1; 0 while the sound is off.
    virtual double Volume() = 0;
    // Sets the sound level, kept between 0 and 1; a level above 0 turns the sound back on.
    virtual void SetVolume(double volume) = 0;

    // Brings the window to the front.
    virtual void Raise() = 0;
    // Ends the program as its own Exit command does.
    virtual void Quit() = 0;
};

}  // namespace orvalen
