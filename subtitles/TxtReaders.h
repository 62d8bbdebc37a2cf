#pragma once

#include <cstdint>
#include <string_view>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// The ".txt" layouts besides TMPlayer's "h:m:s,t=text". A file is taken for one of them only
// when its first record does not have the TMPlayer layout (as ReadTMPlayer matches it) and
// its first non-blank line is a record of the layout.
bool StartsWithMpl2Record(std::string_view text);
bool StartsWithClassicTMPlayerRecord(std::string_view text);

// A classic TMPlayer subtitle shows from its time until the next record's time, but never
// longer than this (nor does the last one).
constexpr int32_t ClassicTMPlayerLongestShow = 5000;

// Classic TMPlayer: "[-]h:mm:ss:text" lines ("=" may stand for the last colon; a leading minus
// makes the whole time negative). A record with an empty text only ends the one before it.
// Texts keep their bytes ("|" breaks lines on screen). Blank lines are skipped; reading stops
// at the first other line that is not a record.
void ReadTMPlayerClassic(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// MPL2: "[start][end]text" lines, times in tenths of a second (may be negative). Texts keep
// their bytes ("|" breaks lines and a leading "/" is italics on screen). Blank lines are
// skipped; reading stops at the first other line that is not a record.
void ReadMpl2(EntryAppender& entries, TextStream& stream, int32_t frameRate);

}  // namespace orvalen
