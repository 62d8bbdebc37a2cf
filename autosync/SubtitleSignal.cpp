#include "autosync/SubtitleSignal.h"

#include <algorithm>
#include <cmath>

namespace orvalen {

namespace {

// Subtitles appear when the speech starts but stay on after it ends, for a time that varies:
// the start counts fully, the end less, so that the start decides where a subtitle goes.
constexpr double kEndDiscount = 0.6;

}  // namespace

int64_t ScaledFrame(int32_t ms, double factor, int frameMs) {
    return static_cast<int64_t>(std::floor(ms * factor / frameMs));
}

bool InSignal(int32_t startMs, int32_t endMs) {
    return startMs < endMs && startMs >= kEarliestSignalMs && endMs <= kLatestSignalMs;
}

SubtitleSignal BuildSubtitleSignal(const SubtitleTrack& track, int32_t first, int32_t end,
                                   double factor, int frameMs) {
    SubtitleSignal signal;
    end = std::min({end, track.Count, static_cast<int32_t>(track.StartMs.size())});
    double lowest = 0;
    double highest = 0;
    bool any = false;
    for (int32_t i = first; i < end; ++i) {
        if (!InSignal(track.StartMs[i], track.EndMs[i])) continue;
        double from = track.StartMs[i] * factor / frameMs;
        double to = track.EndMs[i] * factor / frameMs;
        lowest = any ? std::min(lowest, from) : from;
        highest = any ? std::max(highest, to) : to;
        any = true;
    }
    if (!any) return signal;
    signal.FirstFrame = static_cast<int64_t>(std::floor(lowest));
    signal.Values.assign(static_cast<size_t>(std::ceil(highest) - signal.FirstFrame), 0.0f);
    std::vector<float>& shown = signal.Values;
    for (int32_t i = first; i < end; ++i) {
        if (!InSignal(track.StartMs[i], track.EndMs[i])) continue;
        double from = track.StartMs[i] * factor / frameMs - signal.FirstFrame;
        double to = track.EndMs[i] * factor / frameMs - signal.FirstFrame;
        auto firstFrame = static_cast<size_t>(from);
        auto lastFrame = std::min(static_cast<size_t>(to), shown.size() - 1);
        for (size_t f = firstFrame; f <= lastFrame; ++f) {
            double covered = std::min<double>(to, f + 1) - std::max<double>(from, f);
            double weight = 1 - kEndDiscount * (f + 0.5 - from) / (to - from);
            if (covered > 0) shown[f] += static_cast<float>(covered * (1 + weight));
        }
    }
    for (float& value : shown) value = std::min(value - 1, 1.0f);
    return signal;
}

}  // namespace orvalen
