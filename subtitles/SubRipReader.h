#pragma once

#include <cstdint>
#include <string_view>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// SubRip as people write it: cues of an optional number line, a time line
// ("h:m:s,ms --> h:m:s,ms", also with "." before the milliseconds, other arrows and text after
// the end time), and text lines. A time line, or a number line right before one, starts a cue
// even without an empty line before it; an empty line inside the text stays in it unless a new
// cue follows. frameRate is unused.
void ReadSubRip(EntryAppender& entries, TextStream& stream, int32_t frameRate);

// Whether text opens with a SubRip cue: a number line, then a time line.
bool StartsWithSubRipCue(std::string_view text);

}  // namespace orvalen
