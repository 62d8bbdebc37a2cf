#include "resync/EditSession.h"

#include "resync/EntryText.h"

namespace orvalen {

namespace {

EditStep ShowEntry(const SubtitleTrack& track, int64_t entry) {
    EditStep step;
    step.Done = true;
    step.Status = EntryText(track, entry);
    step.StatusEncoding = track.Encoding;
    return step;
}

}  // namespace

std::string EditSession::ResyncRefusal(bool movieOpen, bool subtitleFormatUnknown,
                                       const SubtitleTrack& track) {
    if (!movieOpen || subtitleFormatUnknown) return kResyncRefusalText;
    if (track.Count < 4) {
        return "A resynchronisation needs four reference subtitles; the subtitle file holds " +
               std::to_string(track.Count < 0 ? 0 : track.Count) + ".";
    }
    return {};
}

EditStep EditSession::StartResync(const SubtitleTrack& track, const ResyncQuad& numbers) {
    const ResyncStep started = resync_.Start(track, numbers);
    if (started.Result != ResyncStep::Outcome::NextReference) {
        EditStep refused;
        refused.Message = started.StatusText;
        return refused;
    }
    references_ = numbers;
    return ShowEntry(track, started.NextEntry);
}

EditStep EditSession::BeginMerge(const MergeLoad& load, const SubtitleTrack& track,
                                 const SubtitleTrack& mergeTrack) {
    if (!load.Refusal.empty()) {
        EditStep refused;
        refused.Message = load.Refusal;
        return refused;
    }
    mergeActive_ = true;
    EditStep step = ShowEntry(mergeTrack, 0);
    step.SeekTo = MergeStartPosition(track);
    return step;
}

EditStep EditSession::PressSpace(int32_t position, SubtitleTrack& track,
                                 const SubtitleTrack& mergeTrack,
                                 std::string_view decimalSeparator) {
    if (resync_.ResyncActive) {
        const ResyncStep pressed = resync_.Press(position, track, references_);
        switch (pressed.Result) {
            case ResyncStep::Outcome::NextReference:
                return ShowEntry(track, pressed.NextEntry);
            case ResyncStep::Outcome::Applied: {
                EditStep step;
                step.Done = true;
                step.TrackChanged = true;
                step.Status = ResyncStatusText(pressed.Computation.Factor,
                                               pressed.Computation.Shift, decimalSeparator);
                return step;
            }
            case ResyncStep::Outcome::Refused:
            case ResyncStep::Outcome::NotWaiting: {
                EditStep step;
                step.Status = pressed.StatusText;
                step.Message = pressed.StatusText;
                return step;
            }
        }
    }
    if (!mergeActive_) return {};
    mergeActive_ = false;
    const MergeOutcome merged = AppendMergeTrack(track, mergeTrack, position);
    EditStep step;
    step.Done = true;
    step.TrackChanged = true;
    step.Message = MergeStatusText(merged);
    step.Status = step.Message;
    return step;
}

}  // namespace orvalen
