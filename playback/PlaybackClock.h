#pragma once

#include <cstdint>
#include <string_view>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The subtitle choice of one clock tick at position pos (milliseconds, -1 when the device
// could not tell), with every subtitle's window widened by delay at both ends. Returns the
// text due, or an empty view; advances track.Cursor by at most one entry once the watched
// subtitle is over. The view stays valid until the track is reloaded.
std::string_view ChooseSubtitle(SubtitleTrack& track, int32_t pos, int32_t delay);

// Walks track.Cursor, one entry at a time, to the subtitle whose interval from its own start
// to the next start holds pos; to 0 before the first, to Count once pos is past the end of the
// last subtitle. Never reads a slot at or beyond Count.
void ResyncIndex(SubtitleTrack& track, int32_t pos);

}  // namespace orvalen
