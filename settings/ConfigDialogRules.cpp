#include "settings/ConfigDialogRules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "resync/ReferenceNumbers.h"

namespace orvalen {

namespace {

constexpr size_t kLeftRows = 8;
constexpr size_t kBaseRows = 15;
constexpr int kFirstTop = 24;
constexpr int kRowStep = 24;
constexpr int kBaseGroupHeight = 217;
// Below the eight rows of the left column (the right one ends with a two-line caption).
constexpr int kExtraTop = kFirstTop + static_cast<int>(kLeftRows) * kRowStep;

constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kCaptions = {{
    {"sub", "Files .sub"},
    {"srt", "SubRip files (.srt)"},
    {"dks", "DKS Subtitle files (.dks)"},
    {"jss", "Jaco Sub files (.jss)"},
    {"mpl", "MPlayer 1 et 2 files (.mpl)"},
    {"jps", "Phoenix Japanimati files (.jps)"},
    {"psb", "PowerDivX files (.psb)"},
    {"rt", "RealTime files (.rt)"},
    {"smi", "SAMI files (.smi)"},
    {"ssa", "SubStation Alpha files (.ssa)"},
    {"tts", "TurboTitler files (.tts)"},
    {"vsf", "Viplay files (.vsf)"},
    {"zeg", "ZeRog files (.zeg)"},
    {"scr", "MacSub files (.scr)"},
    {"txt", "TMPlayer and IAuthorScript files (.txt)"},
    {"ass", "Advanced SSA files (.ass)"},
    {"vtt", "WebVTT files (.vtt)"},
}};

}  // namespace

int32_t IgnoredCharsFromText(std::string_view text) {
    return ReadNumber(std::string(text));
}

int32_t DelayFromText(std::string_view text) {
    return std::min(ReadNumber(std::string(text)), MaxDelay);
}

std::string FormatCaption(SubtitleFormat format) {
    const std::string_view extension = FormatExtension(format);
    for (const auto& [key, caption] : kCaptions) {
        if (key == extension) return std::string(caption);
    }
    std::string upper(extension);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper + " files (." + std::string(extension) + ")";
}

FormatRowPlace PlaceFormatRow(size_t index) {
    if (index < kLeftRows) return {0, kFirstTop + static_cast<int>(index) * kRowStep};
    if (index < kBaseRows) return {1, kFirstTop + static_cast<int>(index - kLeftRows) * kRowStep};
    const size_t extra = index - kBaseRows;
    return {static_cast<int>(extra % 2), kExtraTop + static_cast<int>(extra / 2) * kRowStep};
}

int FormatGroupHeight(size_t count) {
    const size_t extraLines = count > kBaseRows ? (count - kBaseRows + 1) / 2 : 0;
    return kBaseGroupHeight + static_cast<int>(extraLines) * kRowStep;
}

}  // namespace orvalen
