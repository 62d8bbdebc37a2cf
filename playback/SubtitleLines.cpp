#include "playback/SubtitleLines.h"

#include <algorithm>
#include <limits>

namespace orvalen {

namespace {

int32_t StoredCount(const SubtitleTrack& track) {
    const auto stored = static_cast<int32_t>(track.StartMs.size());
    return std::clamp(track.Count, 0, stored);
}

// The latest start below limit (at or below when inclusive); among equal starts the later
// entry, as the clock reaches it last.
int32_t LatestStartBefore(const SubtitleTrack& track, int64_t limit, bool inclusive) {
    int32_t found = -1;
    for (int32_t i = 0, n = StoredCount(track); i < n; ++i) {
        const int64_t start = track.StartMs[i];
        if (start > limit || (!inclusive && start == limit)) continue;
        if (found < 0 || start >= track.StartMs[found]) found = i;
    }
    return found;
}

}  // namespace

int32_t CurrentLine(const SubtitleTrack& track, int32_t position, int32_t shown) {
    if (shown >= 0 && shown < StoredCount(track)) return shown;
    return LatestStartBefore(track, position, true);
}

int32_t PreviousLine(const SubtitleTrack& track, int32_t position, int32_t shown) {
    const int32_t current = CurrentLine(track, position, shown);
    if (current < 0) return -1;
    return LatestStartBefore(track, track.StartMs[current], false);
}

int32_t NextLine(const SubtitleTrack& track, int32_t position, int32_t shown) {
    int64_t after = position;
    if (shown >= 0 && shown < StoredCount(track))
        after = std::max(after, int64_t{track.StartMs[shown]});
    int32_t found = -1;
    for (int32_t i = 0, n = StoredCount(track); i < n; ++i) {
        const int32_t start = track.StartMs[i];
        if (start > after && (found < 0 || start < track.StartMs[found])) found = i;
    }
    return found;
}

int32_t LastStartedLine(const SubtitleTrack& track, int32_t position) {
    return LatestStartBefore(track, position, false);
}

}  // namespace orvalen
