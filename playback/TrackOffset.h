#pragma once

#include <cstdint>
#include <string>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The furthest the timing keys move a track either way: ten hours, beyond any film.
constexpr int32_t MaxTrackOffsetMs = 10 * 3600 * 1000;

// Adds delta to every start and end time of track's entries, each sum computed wide and held
// within the 32-bit range rather than wrapped.
void ShiftTrackTimes(SubtitleTrack& track, int64_t delta);

// How far the user has moved one track's times with the timing keys since it was loaded. The
// offset is applied to the track's times themselves, so everything that reads the track sees
// the moved times. Each shown track keeps one.
class TrackOffset {
  public:
    int32_t Ms() const { return ms_; }

    // Moves track so that the offset becomes target, held within +-MaxTrackOffsetMs. Returns
    // the change of the offset (0 when it was already there or at its limit).
    int32_t MoveTo(SubtitleTrack& track, int64_t target);
    int32_t MoveBy(SubtitleTrack& track, int64_t step) {
        return MoveTo(track, int64_t{ms_} + step);
    }
    // Moves track so that its subtitle index starts at position; nothing for an index outside
    // the track.
    int32_t StartAt(SubtitleTrack& track, int32_t index, int32_t position);
    // A track just loaded from its file has not been moved.
    void Forget() { ms_ = 0; }

  private:
    int32_t ms_ = 0;
};

// The offset as the user reads it: "+1.300 s", "-0.100 s", "0.000 s".
std::string DelayText(int32_t ms);

}  // namespace orvalen
