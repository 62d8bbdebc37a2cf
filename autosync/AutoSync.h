#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "autosync/Alignment.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// Below this confidence the result is not applied: measured on films whose subtitles belong to
// another film, which stay under 10 %, and on matching ones, which stay above 40 %.
inline constexpr int kLeastConfidencePercent = 25;

inline constexpr char kLowConfidenceText[] =
    "The sound does not match the subtitles well enough to synchronise them.\n"
    "Do you want to resynchronise them with four references instead?";

// The outcome of synchronising a track with a film's sound.
struct SoundSync {
    // Why nothing could be computed (no sound, a film that cannot be decoded, no subtitles).
    std::string Error;
    bool Cancelled = false;
    Alignment Result;
    int ConfidencePercent = 0;
    bool Confident() const {
        return Error.empty() && !Cancelled && !Result.Parts.empty() &&
               ConfidencePercent >= kLeastConfidencePercent;
    }
};

// Decodes the film's sound, finds its speech and aligns the track's subtitles on it. progress
// gets the share done (0 to 1) on the calling thread; stop cancels. The track is not changed.
SoundSync SynchroniseWithSound(const std::string& filmPath, const SubtitleTrack& track,
                               const std::function<void(double)>& progress,
                               const std::atomic<bool>& stop);

// Rewrites each part's entries as the four-point resynchronisation does, with the part's
// factor and shift.
void ApplySoundSync(SubtitleTrack& track, const Alignment& alignment);

// "Dilatation = F   Shift = D", one line per part; with several parts each line ends with
// "   from MS", the original start of the part's first subtitle.
std::vector<std::string> SoundSyncLines(const Alignment& alignment,
                                        std::string_view decimalSeparator = ".");

// The status bar's text: the parts' lines joined by "; ", then "   parts: N" when the track
// was cut, then "   confidence: P%".
std::string SoundSyncStatus(const SoundSync& sync, std::string_view decimalSeparator = ".");

}  // namespace orvalen
