#include "subtitles/EncodingChoices.h"

#include <array>

#include "subtitles/MarkupRules.h"

namespace orvalen {

namespace {

constexpr std::array<EncodingChoice, 15> Choices = {{
    {"Windows-1250", "WINDOWS-1250"},
    {"Windows-1251", "WINDOWS-1251"},
    {"Windows-1252", "WINDOWS-1252"},
    {"Windows-1253", "WINDOWS-1253"},
    {"Windows-1254", "WINDOWS-1254"},
    {"Windows-1255", "WINDOWS-1255"},
    {"Windows-1256", "WINDOWS-1256"},
    {"Windows-1257", "WINDOWS-1257"},
    {"ISO-8859-2", "ISO-8859-2"},
    {"KOI8-R", "KOI8-R"},
    {"GB18030", "GB18030"},
    {"Big5", "BIG5"},
    {"Shift_JIS", "SHIFT_JIS"},
    {"EUC-KR", "EUC-KR"},
    {"UTF-8", "UTF-8"},
}};

}  // namespace

std::span<const EncodingChoice> EncodingChoices() {
    return Choices;
}

std::string AutomaticEncodingCaption(const std::string& detected) {
    if (detected.empty()) return "Automatic";
    std::string name = detected;
    for (const EncodingChoice& choice : Choices) {
        if (markup::EqualsIgnoringCase(detected, choice.IconvName)) name = choice.Caption;
    }
    return "Automatic (" + name + ")";
}

}  // namespace orvalen
