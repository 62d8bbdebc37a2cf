#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "subtitles/Markup.h"
#include "subtitles/SubtitleFormats.h"
#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// Which reader a load ran.
enum class SubtitleReaderId {
    None,  // the extension has no reader
    MicroDvd,
    BraceBlocks,
    SubViewer1,
    SubViewer2,
    WrappedSeconds,
    TimecodePairs,
    SubRip,
    SubStationAlpha,
    PowerDivX,
    TMPlayer,
    Dks,
    MPlayer,
    MacSub,
    Viplay,
    AdvancedSubStationAlpha,
    WebVtt,
    TMPlayerClassic,
    Mpl2,
};

// One layout of subtitles in a file, and how to read it. A reader reads from the start of
// the stream and appends the entries in file order; frameRate, in thousandths of frames per
// second, is known (non-zero) only for the layouts that count frames.
struct SubtitleReader {
    SubtitleReaderId Id;
    SubtitleFormat Format;      // whose extension the files of this layout carry
    const char* Name;           // "microdvd": how the command-line tool names it
    bool CountsFrames = false;  // the loader obtains the film's frame rate first
    // Whether a file of the format holds this layout, from its text (line ends already read
    // as LF); null accepts every file.
    bool (*Recognises)(std::string_view text) = nullptr;
    void (*Read)(EntryAppender& entries, TextStream& stream, int32_t frameRate);
    MarkupFamily Markup;  // the styling its texts carry, which the screen applies
};

// Every layout the loader reads, one row each. Rows of one format are tried in table order.
std::span<const SubtitleReader> SubtitleReaders();

// The reader for a file with this extension (with its dot, ASCII case ignored) and text: the
// first row of the extension's format that recognises the text, else the format's last row;
// a ".sub" file that opens with a SubRip cue gets the SubRip row. Null when no row reads the
// extension.
const SubtitleReader* ChooseReader(std::string_view extension, std::string_view text);

// The row of a reader; null for None.
const SubtitleReader* FindReader(SubtitleReaderId id);

// True when some row has the extension (ASCII case ignored).
bool ExtensionHasReader(std::string_view extension);

// The reader's Name, "unknown" for None.
const char* ReaderName(SubtitleReaderId reader);

// The reader's CountsFrames, false for None.
bool ReaderCountsFrames(SubtitleReaderId reader);

// The reader's Markup, Plain for None: how to show the texts of a track it read.
MarkupFamily MarkupFamilyOf(SubtitleReaderId reader);

}  // namespace orvalen
