#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "subtitles/Parser.h"

namespace orvalen::cli {

// Reads the value of --fps (frames per second as a decimal number, "25" or "23.976") into
// thousandths, rounded. False when it is not a positive number.
bool ParseFps(const char* text, int32_t& frameRate);

// A text byte by byte: backslash as "\\", LF "\n", CR "\r", TAB "\t", other bytes below 0x20,
// 0x7f and 0x80..0xff as "\xHH"; every other byte as itself.
std::string EscapeText(std::string_view text);

// Loads an input file exactly as the player's loader does, with the given frame rate for the
// formats that count frames. Returns 0 on a load with a reader, 1 when the file cannot be
// opened, 3 when its extension has no reader; prints a message on stderr for 1 and 3 unless
// quiet.
int LoadInput(const std::string& path, int32_t frameRate, SubtitleTrack& track,
              LoadReport* report = nullptr, bool quiet = false);

}  // namespace orvalen::cli
