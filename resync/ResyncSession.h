#pragma once

#include <cstdint>
#include <string>

#include "resync/Resynchronisation.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// Why a resynchronisation with these reference numbers cannot run on the track, or an empty
// text when it can: the track needs four subtitles, the numbers must be increasing entries of
// it, and no two of the four may start at the same time.
std::string CheckResyncReferences(const SubtitleTrack& track, const ResyncQuad& numbers);

// What the window shows after a start or a press.
struct ResyncStep {
    enum class Outcome {
        NotWaiting,     // a press while no resynchronisation waits: the merge may take it
        NextReference,  // waiting: show the text of NextEntry in the status panel
        Applied,        // the track was rewritten: show StatusText
        Refused,        // nothing changed in the track: show StatusText
    };
    Outcome Result = Outcome::NotWaiting;
    int32_t NextEntry = -1;
    std::string StatusText;
    ResyncResult Computation;
};

// The space-bar presses of a resynchronisation: the marks of the four reference subtitles
// and, at the fourth, the computation and rewrite of the track.
class ResyncSession {
  public:
    bool ResyncActive = false;
    int32_t ResyncCount = 0;  // presses of the current series, 0 to 3 between presses
    ResyncQuad ResyncMarks{};

    // After the chooser's OK: checks the references and, when they are sound, (re)starts the
    // series from its first press (NextReference with N1). A refusal leaves the session as it
    // was.
    ResyncStep Start(const SubtitleTrack& track, const ResyncQuad& numbers);

    // One space-bar press at the player position (-1 when it is unknown, used as it is). The
    // fourth press ends the series: it checks the references again (the track may have been
    // reloaded meanwhile), then computes and rewrites every time of the track, or refuses
    // and leaves the track untouched. Either way the session stops waiting.
    ResyncStep Press(int32_t position, SubtitleTrack& track, const ResyncQuad& numbers);

    // Ends a waiting series (a merge was started).
    void Cancel();
};

}  // namespace orvalen
