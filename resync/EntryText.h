#pragma once

#include <cstdint>
#include <string>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The text of entry n, or an empty text when n names no entry of the track.
inline const std::string& EntryText(const SubtitleTrack& track, int64_t n) {
    static const std::string empty;
    if (n < 0 || n >= track.Count || n >= static_cast<int64_t>(track.Texts.size())) return empty;
    return track.Texts[static_cast<size_t>(n)];
}

}  // namespace orvalen
