#pragma once

#include <cstdint>
#include <vector>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// One stretch of the track with its own straight line: an entry's time t belongs at
// t * Factor - Shift in the film, as the four-point resynchronisation writes it.
struct SyncPart {
    int32_t FirstEntry = 0;
    // The original start of the part's first entry.
    int32_t FromMs = 0;
    double Factor = 1;
    int32_t Shift = 0;
    // How far the part's best placement stands above its best one more than a second away:
    // 0 when another is as good, 1 when every other scores nothing.
    double Confidence = 0;
};

struct Alignment {
    // One part, or two when the film's copy has a cut or an extra scene.
    std::vector<SyncPart> Parts;
    // The lowest confidence of the parts.
    double Confidence = 0;
};

// Places the track's entries on the film's speech (one flag per 10 ms): the frame-rate ratio
// and the shift whose subtitles best match where people speak, and a cut when two parts with
// their own shifts match clearly better than one.
Alignment AlignToSpeech(const std::vector<uint8_t>& filmSpeech, const SubtitleTrack& track);

}  // namespace orvalen
