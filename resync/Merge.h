#pragma once

#include <cstdint>
#include <string>

#include "subtitles/Parser.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

struct MergeOutcome {
    int32_t Appended = 0;
    int32_t Dropped = 0;  // entries of the second track that did not fit
};

// Where the film plays from while a merge waits for its anchor press: the end time of the
// last entry of track, or 0 (the film's start) when the track is empty.
int32_t MergeStartPosition(const SubtitleTrack& track);

// The anchor press of a merge: sets Cursor of track to its Count, then appends every entry of
// mergeTrack in order, shifted so that its first entry starts at anchorMs (each time becomes
// (time - first start) + anchorMs, wrapping in 32 bits). Stops when track is full.
MergeOutcome AppendMergeTrack(SubtitleTrack& track, const SubtitleTrack& mergeTrack,
                              int32_t anchorMs);

// The load of a merge's second file.
struct MergeLoad {
    LoadReport Report;
    // Why the file cannot be merged (it could not be read, or no reader knows its kind), or
    // empty when mergeTrack now holds it.
    std::string Refusal;
};

// Loads the file at path into mergeTrack as every load does, except that the shown track's
// SubtitleFormatUnknown stays as it was: the second file does not decide whether the first is
// shown. A refused file leaves mergeTrack as it was.
MergeLoad LoadMergeFile(const std::string& path, SubtitleTrack& mergeTrack, LoaderState& state,
                        FrameRateProvider* frameRates);

// The status text after the press: empty when everything fitted, otherwise how many
// subtitles were left out.
std::string MergeStatusText(const MergeOutcome& outcome);

}  // namespace orvalen
