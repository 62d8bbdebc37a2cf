#include "playback/PlaybackClock.h"

#include <algorithm>
#include <limits>

namespace orvalen {

namespace {

// Count as far as the storage really holds entries.
int32_t UsableCount(const SubtitleTrack& track) {
    const auto stored = static_cast<int32_t>(
        std::min({track.StartMs.size(), track.EndMs.size(), track.Texts.size()}));
    return std::clamp(track.Count, 0, stored);
}

}  // namespace

std::string_view ChooseSubtitle(SubtitleTrack& track, int32_t pos, int32_t delay) {
    const int32_t n = UsableCount(track);
    const int32_t i = track.Cursor;
    if (i < 0 || i >= n) return {};
    // Wide arithmetic: times and delays near the 32-bit limits must not overflow.
    const int64_t start = track.StartMs[i];
    const int64_t end = track.EndMs[i];
    if (start - delay < pos && end + delay > pos) return track.Texts[i];
    if (end < pos) track.Cursor = i + 1;
    return {};
}

void ResyncIndex(SubtitleTrack& track, int32_t pos) {
    const int32_t n = UsableCount(track);
    int32_t i = std::clamp(track.Cursor, 0, n);
    if (n == 0) {
        track.Cursor = 0;
        return;
    }
    // Slot n stands for the end of the track, which begins where the last subtitle ends;
    // nothing lies after it.
    const int64_t trackEnd = std::max(track.StartMs[n - 1], track.EndMs[n - 1]);
    const auto startOf = [&](int32_t k) -> int64_t { return k < n ? track.StartMs[k] : trackEnd; };
    const auto nextStartOf = [&](int32_t k) -> int64_t {
        return k < n ? startOf(k + 1) : std::numeric_limits<int64_t>::max();
    };
    for (;;) {
        if (startOf(i) <= pos && pos <= nextStartOf(i)) break;
        const int32_t next = startOf(i) > pos ? i - 1 : i + 1;
        if (next < 0 || next > n) break;
        i = next;
        if (i == 0 || i == n) break;
    }
    track.Cursor = i;
}

}  // namespace orvalen
