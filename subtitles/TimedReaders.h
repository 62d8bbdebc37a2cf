#pragma once

#include "subtitles/SubtitleTrack.h"
#include "subtitles/TextStream.h"

namespace orvalen {

// Readers of the time-stamped formats that have an extension of their own. Each reads from
// the start of the stream.

// SubRip: number line, "h:m:s,ms --> h:m:s,ms" line, text lines, empty line.
void ReadSubRip(SubtitleTrack& track, TextStream& stream);

// SubStation Alpha: "Dialogue" lines, times after the first comma, text after the ninth.
void ReadSubStationAlpha(SubtitleTrack& track, TextStream& stream);

// PowerDivX: "{h:m:s}{h:m:s}text" lines.
void ReadPowerDivX(SubtitleTrack& track, TextStream& stream);

// TMPlayer: "h:m:s,t=text" lines, each ending the one before.
void ReadTMPlayer(SubtitleTrack& track, TextStream& stream);

// DKS: "[h:m:s]text" then "[h:m:s]".
void ReadDks(SubtitleTrack& track, TextStream& stream);

// Viplay: a first line, then "h:m:s,ms-h:m:s,ms=text" lines.
void ReadViplay(SubtitleTrack& track, TextStream& stream);

}  // namespace orvalen
