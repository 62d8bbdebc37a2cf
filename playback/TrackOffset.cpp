#include "playback/TrackOffset.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orvalen {

namespace {

int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t StoredCount(const SubtitleTrack& track) {
    const auto stored = static_cast<int32_t>(std::min(track.StartMs.size(), track.EndMs.size()));
    return std::clamp(track.Count, 0, stored);
}

}  // namespace

void ShiftTrackTimes(SubtitleTrack& track, int64_t delta) {
    if (delta == 0) return;
    const int32_t count = StoredCount(track);
    for (int32_t i = 0; i < count; ++i) {
        track.StartMs[i] = Saturated(track.StartMs[i] + delta);
        track.EndMs[i] = Saturated(track.EndMs[i] + delta);
    }
}

int32_t TrackOffset::MoveTo(SubtitleTrack& track, int64_t target) {
    const int32_t next = static_cast<int32_t>(
        std::clamp<int64_t>(target, -int64_t{MaxTrackOffsetMs}, MaxTrackOffsetMs));
    const int32_t change = next - ms_;
    ShiftTrackTimes(track, change);
    ms_ = next;
    return change;
}

int32_t TrackOffset::StartAt(SubtitleTrack& track, int32_t index, int32_t position) {
    if (index < 0 || index >= StoredCount(track)) return 0;
    return MoveTo(track, int64_t{ms_} + position - track.StartMs[index]);
}

std::string DelayText(int32_t ms) {
    const int64_t size = std::llabs(int64_t{ms});
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%03lld s",
                  ms > 0   ? "+"
                  : ms < 0 ? "-"
                           : "",
                  static_cast<long long>(size / 1000), static_cast<long long>(size % 1000));
    return text;
}

}  // namespace orvalen
