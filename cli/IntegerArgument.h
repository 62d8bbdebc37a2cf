#pragma once

#include <cstdint>

namespace orvalen::cli {

// Reads a whole argument as a decimal 32-bit integer with an optional leading '-': "-1",
// "42". False for anything else, including values out of range.
bool ParseInt32(const char* text, int32_t& value);

}  // namespace orvalen::cli
