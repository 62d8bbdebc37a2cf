#pragma once

#include <cstdint>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// WebVTT, by the standard's parsing rules for cues: a "WEBVTT" signature (no entry without
// it), a header, then blocks separated by empty lines. A block whose first line, or second
// line after a cue identifier, holds "start --> end" times ("mm:ss.ttt" or "h:mm:ss.ttt";
// settings after them are ignored) is a cue; its text is the following lines, each with its
// LF, markup kept. Other blocks (NOTE, STYLE, REGION) are skipped. Cues are kept in file order.
void ReadWebVtt(EntryAppender& entries, TextStream& stream, int32_t frameRate);

}  // namespace orvalen
