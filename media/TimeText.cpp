#include "media/MediaControl.h"

namespace orvalen {

std::string TimeText(int32_t ms) {
    const int32_t hours = ms / 3600000;
    const int32_t minutes = (ms - hours * 3600000) / 60000;
    const int32_t seconds = (ms - hours * 3600000 - minutes * 60000) / 1000;
    std::string text = std::to_string(hours) + ":";
    if (minutes < 10) text += '0';
    text += std::to_string(minutes) + ":";
    if (seconds < 10) text += '0';
    text += std::to_string(seconds);
    return text;
}

}  // namespace orvalen
