#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvalen {

// A track never holds more than this many entries; its arrays never grow.
constexpr int32_t TrackCapacity = 10000;

// The lines of an .ssa/.ass file around its times, kept so that the file can be written again
// with only its times changed. Strings hold the file's bytes with CR LF read as LF.
struct SsaEventLine {
    std::string Before;  // the lines since the previous event line: the header for the first
    std::string Lead;    // the event line up to its first comma, comma included
    std::string Fields;  // from the comma after the end time up to the text
    std::string Text;    // the text as in the file, with the line's LF when it had one
};

struct SsaLayout {
    std::vector<SsaEventLine> Events;  // one per entry, in track order
    std::string Trailer;               // what follows the last event line
    bool CrLf = false;                 // the file ended its lines with CR LF
};

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
    // Set only by the .ssa/.ass reader; entries beyond its events (a merge's) have none.
    std::shared_ptr<SsaLayout> Ssa;

    SubtitleTrack();
};

// Empties the track: Cursor and Count 0, every slot zero-filled.
void ResetTrack(SubtitleTrack& track);

// Where a reader puts the entries it reads, in file order: into the track's slots from
// Cursor on, and once the track is full, only into a count of the entries that did not fit.
class EntryAppender {
  public:
    explicit EntryAppender(SubtitleTrack& track) : track_(track) {}

    // False when the track was full and the entry was only counted.
    bool Append(int32_t startMs, int32_t endMs, std::string_view text);
    // The layout that the .ssa/.ass reader fills beside its entries.
    SsaLayout& KeptSsa();
    int64_t Dropped() const { return dropped_; }

  private:
    SubtitleTrack& track_;
    int64_t dropped_ = 0;
};

}  // namespace orvalen
