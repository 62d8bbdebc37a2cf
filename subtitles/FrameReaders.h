#pragma once

#include <cstdint>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// Readers of the formats that count frames; frameRate is in thousandths of frames per second.

// MicroDVD: "{start}{end}text" lines; the first "|" of a text becomes CR.
void ReadMicroDvd(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// MPlayer: "start,end,n,text" lines; the first "|" of a text becomes LF.
void ReadMPlayer(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// MacSub: "/start" line, one or two text lines, "/end" line.
void ReadMacSub(EntryAppender& entries, TextStream& stream, int32_t frameRate);

}  // namespace orvalen
