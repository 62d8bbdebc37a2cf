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

// Entries 1 to 4 start at 10, 20, 30 and 40 s: the references of the 1.04 example; entry 0 is
// an ordinary subtitle.
inline SubtitleTrack ResyncExampleTrack() {
    return MakeTrack({{5000, 6000, "a\n"},
                      {10000, 12000, "b\n"},
                      {20000, 21500, "c\n"},
                      {30000, 31000, "d\n"},
                      {40000, 41000, "e\n"}});
}

}  // namespace orvalen::testing_support
