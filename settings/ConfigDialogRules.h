#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "subtitles/SubtitleFormats.h"

namespace orvalen {

// The longest extra display time the configuration dialog accepts, in milliseconds.
constexpr int32_t MaxDelay = 2000;

// The ignored-characters box shows the decimal form of the integer that its leading
// characters spell (blanks, an optional sign, digits; 0 without digits), so a typed letter or
// sign becomes "0". Beyond the 32-bit range the value saturates.
int32_t IgnoredCharsFromText(std::string_view text);

// The delay box: the leading integer as above, lowered to MaxDelay when above it. Negative
// values stay.
int32_t DelayFromText(std::string_view text);

// Where the row of the index-th format (in the stored key order) goes inside its group box.
// The first eight fill the left column and the next seven the right one, 24 pixels apart from
// a top of 24; formats beyond those fifteen continue in pairs (left, right) below both columns.
struct FormatRowPlace {
    int Column = 0;  // 0 left, 1 right
    int Top = 0;
};
FormatRowPlace PlaceFormatRow(size_t index);

// The height of the formats group box that holds count rows: 217 for the fifteen, one row
// step more for each further pair.
int FormatGroupHeight(size_t count);

}  // namespace orvalen
