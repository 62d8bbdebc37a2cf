#include "subtitles/SubtitleTrack.h"

namespace orvalen {

SubtitleTrack::SubtitleTrack()
    : StartMs(TrackCapacity, 0), EndMs(TrackCapacity, 0), Texts(TrackCapacity) {}

void ResetTrack(SubtitleTrack& track) {
    // Only the slots in use can hold anything; clearing them keeps a reset cheap.
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        track.StartMs[i] = 0;
        track.EndMs[i] = 0;
        track.Texts[i].clear();
    }
    track.Cursor = 0;
    track.Count = 0;
    track.Ssa.reset();
}

bool EntryAppender::Append(int32_t startMs, int32_t endMs, std::string_view text) {
    if (track_.Cursor >= TrackCapacity) {
        ++dropped_;
        return false;
    }
    track_.StartMs[track_.Cursor] = startMs;
    track_.EndMs[track_.Cursor] = endMs;
    track_.Texts[track_.Cursor].assign(text);
    ++track_.Cursor;
    ++track_.Count;
    return true;
}

SsaLayout& EntryAppender::KeptSsa() {
    if (!track_.Ssa) track_.Ssa = std::make_shared<SsaLayout>();
    return *track_.Ssa;
}

}  // namespace orvalen
