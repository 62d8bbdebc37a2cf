#include "cli/IntegerArgument.h"

#include <charconv>
#include <cstring>

namespace orvalen::cli {

bool ParseInt32(const char* text, int32_t& value) {
    if (!text) return false;
    const char* end = text + std::strlen(text);
    // from_chars takes no '+' and no blanks, which is what an argument should be.
    auto result = std::from_chars(text, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

}  // namespace orvalen::cli
