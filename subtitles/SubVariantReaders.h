#pragma once

#include <cstdint>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// Readers of the time-stamped layouts that share the ".sub" extension with MicroDVD. Each reads
// from the start of the stream; frameRate is unused, as these layouts do not count frames.

// Blocks "{T h:m:s:c", text lines, "}", each text block followed by a clearing block.
void ReadBraceBlocks(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// SubViewer 1.0: header up to "[BEGIN]", then "[h:m:s]", one text line, "[h:m:s]".
void ReadSubViewer1(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// SubViewer 2.0: header up to "[SUBTITLE]", then "h:m:s.c,h:m:s.c", one text line, one line.
void ReadSubViewer2(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// "n s.c \ ~:\text" lines whose seconds field wraps at 256.
void ReadWrappedSeconds(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// A 6-byte prefix, "h:m:s:c  h:m:s:c  text", more text lines, an empty line.
void ReadTimecodePairs(EntryAppender& entries, TextStream& stream, int32_t frameRate);

}  // namespace orvalen
