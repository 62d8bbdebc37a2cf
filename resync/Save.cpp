#include "resync/Save.h"

#include "subtitles/SubRipWriter.h"

namespace orvalen {

SaveOutcome SaveTrack(SubtitleTrack& track, const std::string& path) {
    SaveOutcome outcome;
    std::string reason;
    const int32_t cursor = track.Cursor;
    outcome.Ok = SaveSubRipFile(track, path, reason);
    track.Cursor = cursor;
    if (!outcome.Ok) outcome.Message = "Impossible d'écrire dans " + path + "\n" + reason;
    return outcome;
}

}  // namespace orvalen
