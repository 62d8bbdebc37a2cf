#include "subtitles/SubtitleTrack.h"

namespace orvalen {

SubtitleTrack::SubtitleTrack()
    : StartMs(TrackCapacity, 0), EndMs(TrackCapacity, 0), Texts(TrackCapacity) {}

void ResetTrack(SubtitleTrack& track) {
    // Only the slots in use can hold anything; clearing them keeps a reset cheap.
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        track.StartMs[i] = 0;
        track.EndMs[i] = 0;
        track.Texts[i].clear();
    }
    track.Cursor = 0;
    track.Count = 0;
}

}  // namespace orvalen
