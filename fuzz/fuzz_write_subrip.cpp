// Writes tracks with arbitrary times and texts as SubRip: each entry takes eight bytes of times
// and a text up to the next NUL byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "subtitles/SubRipWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orvalen::SubtitleTrack track;
    size_t at = 0;
    while (size - at >= 8 && track.Count < orvalen::TrackCapacity) {
        int32_t start, end;
        std::memcpy(&start, data + at, 4);
        std::memcpy(&end, data + at + 4, 4);
        at += 8;
        const void* nul = std::memchr(data + at, 0, size - at);
        size_t length = nul ? static_cast<const uint8_t*>(nul) - (data + at) : size - at;
        track.StartMs[track.Count] = start;
        track.EndMs[track.Count] = end;
        track.Texts[track.Count].assign(reinterpret_cast<const char*>(data + at), length);
        ++track.Count;
        at += length + (nul ? 1 : 0);
    }
    std::string out;
    if (orvalen::WriteSubRip(track, out) != track.Count || track.Cursor != track.Count) {
        __builtin_trap();
    }
    if (track.Count > 0 && out.find(" --> ") == std::string::npos) __builtin_trap();
    return 0;
}
