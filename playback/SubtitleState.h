#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "playback/FilmState.h"
#include "playback/OffsetMemory.h"
#include "playback/TrackOffset.h"
#include "resync/EditSession.h"
#include "resync/Merge.h"
#include "subtitles/Markup.h"
#include "subtitles/Parser.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// A second subtitle file shown above the first: read-only, on the same clock and delay, moved
// by an offset of its own.
struct SecondSubtitles {
    SubtitleTrack Track;
    MarkupFamily Markup = MarkupFamily::Plain;
    bool Loaded = false;
    int32_t OffsetMs = 0;  // positive: every subtitle shown later

    void Reset();
};

// The subtitles shown with the film, and the state of the commands that edit them.
struct SubtitleState {
    SubtitleTrack Track;
    SubtitleTrack MergeTrack;
    // The last loaded file's extension has no reader: the clock shows no text.
    bool FormatUnknown = false;
    // The film's subtitle files the last search found, in the menus' order.
    std::vector<std::string> FoundFiles;
    // A resynchronisation or merge waiting for its space-bar presses.
    EditSession Editing;
    // How Track's texts are shown: the markup of the reader that filled it, and the encoding
    // the user chose for them (empty: the one detected). Each load into Track sets both anew.
    MarkupFamily Markup = MarkupFamily::Plain;
    std::string ChosenEncoding;
    // The file Track was last loaded from; empty before the first.
    std::string TrackPath;
    // How far the timing keys have moved Track since its file was loaded, and that file.
    TrackOffset Offset;
    std::optional<SubtitleFileKey> TrackFile;
    SecondSubtitles Second;

    // Both tracks empty and nothing pending, as at start-up.
    void Reset();
};

// The lines and styled runs the screen shows for text, one of Track's texts: decoded from the
// chosen encoding, or else the detected one, then split by Track's markup.
std::vector<StyledLine> ScreenLines(const SubtitleState& subtitles, std::string_view text);

// text, one of Track's texts, as the screen shows it without its markup, its lines joined by
// lineBreak.
std::string PlainScreenText(const SubtitleState& subtitles, std::string_view text,
                            std::string_view lineBreak);

// After Track's file has been loaded: moves Track by the offset the state file at statePath
// remembers for that file, if any.
OffsetRecall RestoreTrackOffset(SubtitleState& subtitles, const std::string& statePath);
// Records Track's offset for its file in the state file at statePath; returns why it could
// not, or empty.
std::string RememberTrackOffset(const SubtitleState& subtitles, const std::string& statePath);
// The status bar's word on a restored offset: "Subtitle delay +1.300 s restored".
std::string RestoredDelayText(int32_t ms);

// Loads the file at path into track (one of subtitles' tracks) for the film: a frame-based
// file asks frameRates for the film's frame rate once and film keeps it; an extension without
// a reader marks the format unknown. A load into Track starts it unmoved.
LoadReport LoadSubtitles(const std::string& path, SubtitleTrack& track, FilmState& film,
                         SubtitleState& subtitles, FrameRateProvider* frameRates);

// Loads the file at path as the second subtitles, as LoadSubtitles loads the first; the first
// track and its FormatUnknown stay as they were. A file that gives no track (no reader, not
// readable) leaves the second subtitles as they were.
LoadReport LoadSecondSubtitles(const std::string& path, FilmState& film, SubtitleState& subtitles,
                               FrameRateProvider* frameRates);

// The second subtitles' clock step and index walk at film position pos: the first track's
// ChooseSubtitle and ResyncIndex on the second track, moved by its offset.
std::string_view ChooseSecondSubtitle(SecondSubtitles& second, int32_t pos, int32_t delay);
void ResyncSecondIndex(SecondSubtitles& second, int32_t pos);

// Moves the second subtitles by step milliseconds (kept within a day either way).
void StepSecondOffset(SecondSubtitles& second, int32_t step);

// "Second subtitle delay: +0.300 s".
std::string SecondOffsetText(int32_t offsetMs);

// The lines the screen shows for text, one of the second track's texts.
std::vector<StyledLine> SecondScreenLines(const SecondSubtitles& second, std::string_view text);

// Loads the second file of a merge into subtitles.MergeTrack for the film, as LoadSubtitles
// does, except that the shown track's FormatUnknown stays as it was.
MergeLoad LoadMergeSubtitles(const std::string& path, FilmState& film, SubtitleState& subtitles,
                             FrameRateProvider* frameRates);

}  // namespace orvalen
