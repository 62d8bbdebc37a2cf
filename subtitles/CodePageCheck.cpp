#include "subtitles/CodePageCheck.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "subtitles/TextEncoding.h"

namespace orvalen {

namespace {

struct DosCodePage {
    std::string_view Name;
    std::array<std::string_view, 2> Windows;  // an empty name ends the list
};

constexpr std::array DosCodePages = std::to_array<DosCodePage>({
    {"IBM852", {"WINDOWS-1252", "WINDOWS-1250"}},
    {"IBM855", {"WINDOWS-1251", ""}},
    {"IBM866", {"WINDOWS-1251", ""}},
});

// The code points of valid UTF-8, as iconv writes it.
std::vector<char32_t> CodePoints(std::string_view utf8) {
    std::vector<char32_t> points;
    for (size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<uint8_t>(utf8[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
        points.push_back(c);
        i += length;
    }
    return points;
}

// Letters of the scripts the code pages above hold: Latin and Cyrillic.
bool IsLetter(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c == 0xD7 || c == 0xF7) return false;  // multiplication and division signs
    return (c >= 0xC0 && c <= 0x24F) || (c >= 0x400 && c <= 0x481) || (c >= 0x48A && c <= 0x4FF);
}

// Each non-ASCII character counts one up when it is a letter next to a letter and one down
// when it is no letter at all.
int WordLikeness(std::string_view sample, std::string_view encoding) {
    std::string utf8;
    if (!ConvertToUtf8(sample, std::string(encoding), utf8)) return std::numeric_limits<int>::min();
    std::vector<char32_t> text = CodePoints(utf8);
    int score = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x80) continue;
        if (!IsLetter(text[i])) {
            --score;
            continue;
        }
        bool before = i > 0 && IsLetter(text[i - 1]);
        bool after = i + 1 < text.size() && IsLetter(text[i + 1]);
        if (before || after) ++score;
    }
    return score;
}

}  // namespace

std::string CheckDosCodePage(std::string_view sample, std::string detected) {
    for (const DosCodePage& dos : DosCodePages) {
        if (dos.Name != detected) continue;
        int best = WordLikeness(sample, dos.Name);
        for (std::string_view windows : dos.Windows) {
            if (windows.empty()) break;
            int score = WordLikeness(sample, windows);
            if (score > best) {
                best = score;
                detected = windows;
            }
        }
        break;
    }
    return detected;
}

}  // namespace orvalen
