#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

// Where a reader puts the entries it reads, in file order: into the track's slots from
// Cursor on, and once the track is full, only into a count of the entries that did not fit.
class EntryAppender {
  public:
    explicit EntryAppender(SubtitleTrack& track) : track_(track) {}

    void Append(int32_t startMs, int32_t endMs, std::string_view text);
    int64_t Dropped() const { return dropped_; }

  private:
    SubtitleTrack& track_;
    int64_t dropped_ = 0;
};

}  // namespace orvalen
