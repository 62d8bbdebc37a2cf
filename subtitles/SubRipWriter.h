#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The SubRip time text of t milliseconds: H:MM:SS,mmm, hours without leading zeros. A negative
// time, which no SubRip reader accepts, is written 0:00:00,000.
std::string SubRipTimeText(int32_t t);

// Appends one SubRip record as WriteSubRip writes it: number, times, then text.
void AppendSubRipEntry(std::string& out, int32_t number, int32_t startMs, int32_t endMs,
                       std::string_view text);

// Appends every entry of track to out as a SubRip file opened in text mode would receive it:
// each LF written reaches out as CR LF, and the first CR of a text (unless it is the last
// character) becomes a line end. Leaves Cursor at Count; returns Count.
int32_t WriteSubRip(SubtitleTrack& track, std::string& out);

// Writes track as SubRip to the file at path, replacing it atomically: an existing file is
// never left truncated or half written. False, with the reason in error, when the file cannot
// be written. Only the track's Cursor changes.
bool SaveSubRipFile(SubtitleTrack& track, const std::string& path, std::string& error);

}  // namespace orvalen
