#pragma once

#include <cstdint>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The subtitles the line keys move between, found by their start times (a track out of order
// is still searched whole). shown is the index of the subtitle on screen, or -1. Each returns
// an index, or -1 when there is no such subtitle.
//
// The one shown, or else the last one to have started at position.
int32_t CurrentLine(const SubtitleTrack& track, int32_t position, int32_t shown);
// The last one to start before the current one.
int32_t PreviousLine(const SubtitleTrack& track, int32_t position, int32_t shown);
// The first one to start after the position and after the one shown.
int32_t NextLine(const SubtitleTrack& track, int32_t position, int32_t shown);
// The last one to start before the position, the one "The previous subtitle starts now" moves.
int32_t LastStartedLine(const SubtitleTrack& track, int32_t position);

}  // namespace orvalen
