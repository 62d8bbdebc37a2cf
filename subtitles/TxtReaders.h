#pragma once

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// The layouts of ".txt" subtitle files.
enum class TxtLayout {
    TMPlayer,         // "h:m:s,t=text", read by ReadTMPlayer
    TMPlayerClassic,  // "h:mm:ss:text" or "h:mm:ss=text"
    Mpl2,             // "[start][end]text" in tenths of a second
};

// The TMPlayer layout when the file's first record has it (as ReadTMPlayer matches it);
// otherwise the layout of the first non-blank line, TMPlayer again when it has neither of the
// other two. The stream is rewound.
TxtLayout DetectTxtLayout(TextStream& stream);

// A classic TMPlayer subtitle shows from its time until the next record's time, but never
// longer than this (nor does the last one).
constexpr int32_t ClassicTMPlayerLongestShow = 5000;

// Classic TMPlayer: "[-]h:mm:ss:text" lines ("=" may stand for the last colon; a leading minus
// makes the whole time negative). A record with an empty text only ends the one before it.
// Texts keep their bytes ("|" breaks lines on screen). Blank lines are skipped; reading stops
// at the first other line that is not a record.
void ReadTMPlayerClassic(SubtitleTrack& track, TextStream& stream);

// MPL2: "[start][end]text" lines, times in tenths of a second (may be negative). Texts keep
// their bytes ("|" breaks lines and a leading "/" is italics on screen). Blank lines are
// skipped; reading stops at the first other line that is not a record.
void ReadMpl2(SubtitleTrack& track, TextStream& stream);

}  // namespace orvalen
