#include "settings/ConfigDialogRules.h"

#include <algorithm>

#include "subtitles/TextStream.h"

namespace orvalen {

int32_t IgnoredCharsFromText(std::string_view text) {
    return ReadNumber(text);
}

int32_t DelayFromText(std::string_view text) {
    return std::min(ReadNumber(text), MaxDelay);
}

}  // namespace orvalen
