#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "playback/FilmState.h"
#include "subtitles/Parser.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The subtitles shown with the film, and the state of the commands that edit them.
struct SubtitleState {
    SubtitleTrack Track;
    SubtitleTrack MergeTrack;
    // The last loaded file's extension has no reader: the clock shows no text.
    bool FormatUnknown = false;
    // The film's subtitle files the last search found, in the menus' order.
    std::vector<std::string> FoundFiles;
    bool ResyncActive = false;
    bool MergeActive = false;
    int32_t ResyncCount = 0;
    std::array<int32_t, 4> ResyncMarks{};

    // Both tracks empty and nothing pending, as at start-up.
    void Reset();
};

// Loads the file at path into track (one of subtitles' tracks) for the film: a frame-based
// file asks frameRates for the film's frame rate once and film keeps it; an extension without
// a reader marks the format unknown.
LoadReport LoadSubtitles(const std::string& path, SubtitleTrack& track, FilmState& film,
                         SubtitleState& subtitles, FrameRateProvider* frameRates);

}  // namespace orvalen
