#pragma once

#include <string>

#include "subtitles/SubtitleTrack.h"
#include "subtitles/SubtitleWriters.h"

namespace orvalen {

struct SaveOutcome {
    bool Ok = false;
    // When Ok is false: "Impossible d'écrire dans PATH", then the reason on its own line.
    std::string Message;
};

// The save command once its dialog has given a path: writes track as SubRip to exactly that
// path, which is replaced only by a complete new file, so a failure never loses the file that
// was there. The track is left as it was, Cursor included: the writer walks the track with
// Cursor, and a film that keeps playing after the save must go on showing its subtitles.
SaveOutcome SaveTrack(SubtitleTrack& track, const std::string& path);

// Save As once its dialog has given a path and a format: writes track in format as
// SaveSubtitleFile does, with the same guarantees and failure message as SaveTrack.
SaveOutcome SaveTrackAs(const SubtitleTrack& track, const std::string& path, SaveFormat format,
                        const TrackSource& source);

}  // namespace orvalen
