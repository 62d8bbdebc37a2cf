#include "resync/Merge.h"

#include <algorithm>

namespace orvalen {

namespace {

int32_t Shifted(int32_t time, int32_t firstStart, int32_t anchorMs) {
    uint32_t wrapped = static_cast<uint32_t>(time) - static_cast<uint32_t>(firstStart) +
                       static_cast<uint32_t>(anchorMs);
    return static_cast<int32_t>(wrapped);
}

}  // namespace

int32_t MergeStartPosition(const SubtitleTrack& track) {
    int32_t count = std::min(track.Count, static_cast<int32_t>(track.EndMs.size()));
    return count > 0 ? track.EndMs[count - 1] : 0;
}

MergeOutcome AppendMergeTrack(SubtitleTrack& track, const SubtitleTrack& mergeTrack,
                              int32_t anchorMs) {
    MergeOutcome outcome;
    track.Cursor = track.Count;
    int32_t capacity = std::min(TrackCapacity, static_cast<int32_t>(track.StartMs.size()));
    int32_t count = std::min(mergeTrack.Count, static_cast<int32_t>(mergeTrack.StartMs.size()));
    if (count <= 0) return outcome;
    const int32_t firstStart = mergeTrack.StartMs[0];
    for (int32_t j = 0; j < count; ++j) {
        if (track.Count < 0 || track.Count >= capacity) {
            outcome.Dropped = count - j;
            break;
        }
        track.StartMs[track.Count] = Shifted(mergeTrack.StartMs[j], firstStart, anchorMs);
        track.EndMs[track.Count] = Shifted(mergeTrack.EndMs[j], firstStart, anchorMs);
        track.Texts[track.Count] = mergeTrack.Texts[j];
        ++track.Count;
        ++outcome.Appended;
    }
    return outcome;
}

MergeLoad LoadMergeFile(const std::string& path, SubtitleTrack& mergeTrack, LoaderState& state,
                        FrameRateProvider* frameRates) {
    MergeLoad load;
    const bool shownFormatUnknown = state.SubtitleFormatUnknown;
    load.Report = LoadSubtitleFile(path, mergeTrack, state, frameRates);
    state.SubtitleFormatUnknown = shownFormatUnknown;
    if (!load.Report.Opened) {
        load.Refusal = "Impossible de lire " + path +
                       (load.Report.OpenError.empty() ? "" : "\n" + load.Report.OpenError);
    } else if (load.Report.Reader == SubtitleReaderId::None) {
        load.Refusal = "No subtitle can be read from " + path + ": the kind of file \"" +
                       std::string(FileExtension(path)) + "\" is not known";
    }
    return load;
}

std::string MergeStatusText(const MergeOutcome& outcome) {
    if (outcome.Dropped == 0) return {};
    return std::to_string(outcome.Dropped) + " subtitles not merged: a track holds at most " +
           std::to_string(TrackCapacity) + " subtitles";
}

}  // namespace orvalen
