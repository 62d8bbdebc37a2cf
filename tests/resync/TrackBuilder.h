#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "subtitles/SubtitleTrack.h"

namespace orvalen::testing_support {

struct TimedText {
    int32_t Start;
    int32_t End;
    std::string Text;
};

inline SubtitleTrack MakeTrack(std::initializer_list<TimedText> entries) {
    SubtitleTrack track;
    for (const TimedText& entry : entries) {
        track.StartMs[track.Count] = entry.Start;
        track.EndMs[track.Count] = entry.End;
        track.Texts[track.Count] = entry.Text;
        ++track.Count;
    }
    return track;
}

// count entries "s0\n", "s1\n"... starting every second and lasting half a second.
inline SubtitleTrack MakeNumberedTrack(int32_t count) {
    SubtitleTrack track;
    for (int32_t i = 0; i < count; ++i) {
        track.StartMs[i] = 1000 * i;
        track.EndMs[i] = 1000 * i + 500;
        track.Texts[i] = "s" + std::to_string(i) + "\n";
    }
    track.Count = count;
    return track;
}

}  // namespace orvalen::testing_support
