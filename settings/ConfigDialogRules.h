#pragma once

#include <cstdint>
#include <string_view>

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

}  // namespace orvalen
