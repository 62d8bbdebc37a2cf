#pragma once

#include <cstdint>
#include <vector>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// Entries of a track as a speech signal: frame FirstFrame + v holds Values[v], -1 where no
// subtitle shows, up to 1 at a subtitle's start falling to 0.4 at its end, and partly shown
// frames in between. The signal runs from the first start to the last end of the entries.
struct SubtitleSignal {
    int64_t FirstFrame = 0;
    std::vector<float> Values;
};

// Entries outside these times are left out of signals: no film lasts half a day, and a stray
// time must not make a signal of gigabytes.
inline constexpr int32_t kEarliestSignalMs = -3600 * 1000;
inline constexpr int32_t kLatestSignalMs = 12 * 3600 * 1000;

// Whether an entry shows for some time within those bounds.
bool InSignal(int32_t startMs, int32_t endMs);

// The signal of entries [first, end) with every time multiplied by factor, in frames of frameMs.
SubtitleSignal BuildSubtitleSignal(const SubtitleTrack& track, int32_t first, int32_t end,
                                   double factor, int frameMs);

// The frame (of frameMs) that time ms falls in once multiplied by factor.
int64_t ScaledFrame(int32_t ms, double factor, int frameMs);

}  // namespace orvalen
