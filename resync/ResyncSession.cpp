#include "resync/ResyncSession.h"

#include <algorithm>

namespace orvalen {

namespace {

const char kRefusal[] = "Resynchronisation impossible: ";

ResyncStep Refusal(std::string reason) {
    ResyncStep step;
    step.Result = ResyncStep::Outcome::Refused;
    step.StatusText = kRefusal + reason;
    return step;
}

ResyncQuad StartsOf(const SubtitleTrack& track, const ResyncQuad& numbers) {
    return {track.StartMs[numbers[0]], track.StartMs[numbers[1]], track.StartMs[numbers[2]],
            track.StartMs[numbers[3]]};
}

}  // namespace

std::string CheckResyncReferences(const SubtitleTrack& track, const ResyncQuad& numbers) {
    int64_t count = std::min<int64_t>(track.Count, static_cast<int64_t>(track.StartMs.size()));
    if (count < 4) return "the subtitle file holds fewer than four subtitles";
    bool inOrder = numbers[0] >= 0 && numbers[3] < count;
    for (int k = 1; k < 4; ++k) inOrder = inOrder && numbers[k - 1] < numbers[k];
    if (!inOrder) {
        return "the reference subtitles must be four increasing numbers from 0 to " +
               std::to_string(count - 1);
    }
    ResyncResult check = ComputeResync(StartsOf(track, numbers), ResyncQuad{});
    if (!check.Ok) {
        return "subtitles " + std::to_string(numbers[check.FirstEqual]) + " and " +
               std::to_string(numbers[check.SecondEqual]) + " start at the same time";
    }
    return {};
}

ResyncStep ResyncSession::Start(const SubtitleTrack& track, const ResyncQuad& numbers) {
    std::string reason = CheckResyncReferences(track, numbers);
    if (!reason.empty()) return Refusal(reason);
    ResyncCount = 0;
    ResyncActive = true;
    ResyncStep step;
    step.Result = ResyncStep::Outcome::NextReference;
    step.NextEntry = numbers[0];
    return step;
}

ResyncStep ResyncSession::Press(int32_t position, SubtitleTrack& track, const ResyncQuad& numbers) {
    if (!ResyncActive) return {};
    if (ResyncCount < 0 || ResyncCount > 3) ResyncCount = 0;
    ResyncMarks[ResyncCount] = position;
    ++ResyncCount;
    if (ResyncCount < 4) {
        ResyncStep step;
        step.Result = ResyncStep::Outcome::NextReference;
        step.NextEntry = numbers[ResyncCount];
        return step;
    }
    ResyncCount = 0;
    ResyncActive = false;
    std::string reason = CheckResyncReferences(track, numbers);
    if (!reason.empty()) return Refusal(reason);

    ResyncStep step;
    step.Computation = ComputeResync(StartsOf(track, numbers), ResyncMarks);
    ApplyResync(track, step.Computation.Factor, step.Computation.Shift);
    step.Result = ResyncStep::Outcome::Applied;
    step.StatusText = ResyncStatusText(step.Computation.Factor, step.Computation.Shift);
    return step;
}

void ResyncSession::Cancel() {
    ResyncActive = false;
    ResyncCount = 0;
}

}  // namespace orvalen
