#pragma once

#include <cstdint>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// Readers of the time-stamped formats that have an extension of their own. Each reads from
// the start of the stream; frameRate is unused, as these formats do not count frames.

// SubStation Alpha: "Dialogue" lines, times after the first comma, text after the ninth. A
// minus sign before a time's hours makes the whole time negative.
void ReadSubStationAlpha(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// PowerDivX: "{h:m:s}{h:m:s}text" lines.
void ReadPowerDivX(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// TMPlayer: "h:m:s,t=text" lines, each ending the one before.
void ReadTMPlayer(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// DKS: "[h:m:s]text" then "[h:m:s]".
void ReadDks(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// Viplay: a first line, then "h:m:s,ms-h:m:s,ms=text" lines.
void ReadViplay(EntryAppender& entries, TextStream& stream, int32_t frameRate);

}  // namespace orvalen
