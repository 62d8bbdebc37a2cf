#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvalen {

// A track never holds more than this many entries; its arrays never grow.
constexpr int32_t TrackCapacity = 10000;

// One subtitle file in memory: parallel arrays in file order. Texts are the file's bytes,
// line ends included. Slots at and beyond Count read as start 0, end 0 and an empty text.
struct SubtitleTrack {
    std::vector<int32_t> StartMs;
    std::vector<int32_t> EndMs;
    std::vector<std::string> Texts;
    int32_t Cursor = 0;
    int32_t Count = 0;
    // Name of the text encoding detected when the file was loaded ("UTF-8", "WINDOWS-1252"...),
    // for decoding texts on screen; empty when nothing was loaded.
    std::string Encoding;

    SubtitleTrack();
};

// Empties the track: Cursor and Count 0, every slot zero-filled.
void ResetTrack(SubtitleTrack& track);

// True while slot Cursor can take another entry; readers stop filling at TrackCapacity.
inline bool HasRoom(const SubtitleTrack& track) {
    return track.Cursor < TrackCapacity;
}

// Closes the entry being written at Cursor.
inline void NextEntry(SubtitleTrack& track) {
    ++track.Cursor;
    ++track.Count;
}

}  // namespace orvalen
