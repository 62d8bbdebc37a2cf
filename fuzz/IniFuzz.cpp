#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/IniText.h"

// Any text: reading never fails, and a key just written reads back without disturbing another.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"NbrChar", "Delay", "SubDir"}) {
        if (auto value = orvalen::FindIniValue(text, "General", key)) {
            (void)orvalen::DecodeIniInteger(*value);
        }
    }
    auto nameBefore = orvalen::FindIniValue(text, "Font", "Name");
    std::string edited = orvalen::SetIniValue(text, "General", "Delay", "-1500");
    if (orvalen::FindIniValue(edited, "General", "Delay") != "-1500") std::abort();
    if (orvalen::DecodeIniInteger(*orvalen::FindIniValue(edited, "General", "Delay")) != -1500) {
        std::abort();
    }
    auto nameAfter = orvalen::FindIniValue(edited, "Font", "Name");
    if (nameBefore.has_value() != nameAfter.has_value()) std::abort();
    if (nameBefore && *nameBefore != *nameAfter) std::abort();
    if (orvalen::SetIniValue(edited, "General", "Delay", "-1500") != edited) std::abort();
    return 0;
}
