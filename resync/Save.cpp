#include "resync/Save.h"

#include "subtitles/SubRipWriter.h"

namespace orvalen {

namespace {

SaveOutcome Outcome(bool ok, const std::string& path, const std::string& reason) {
    SaveOutcome outcome;
    outcome.Ok = ok;
    if (!ok) outcome.Message = "Impossible d'écrire dans " + path + "\n" + reason;
    return outcome;
}

}  // namespace

SaveOutcome SaveTrack(SubtitleTrack& track, const std::string& path) {
    std::string reason;
    const int32_t cursor = track.Cursor;
    const bool ok = SaveSubRipFile(track, path, reason);
    track.Cursor = cursor;
    return Outcome(ok, path, reason);
}

SaveOutcome SaveTrackAs(const SubtitleTrack& track, const std::string& path, SaveFormat format,
                        const TrackSource& source) {
    std::string reason;
    const bool ok = SaveSubtitleFile(track, path, format, source, reason);
    return Outcome(ok, path, reason);
}

}  // namespace orvalen
