#pragma once

#include <array>
#include <string>
#include <string_view>

#include "subtitles/FileFilter.h"

namespace orvalen {

// The searched subtitle formats, in the fixed order of the search patterns and of the file
// filter: sub to rt as they always were, then Advanced SubStation Alpha and WebVTT.
enum class SubtitleFormat {
    Sub,
    Smi,
    Srt,
    Ssa,
    Dks,
    Tts,
    Jss,
    Vsf,
    Zeg,
    Jps,
    Scr,
    Psb,
    Txt,
    Mpl,
    Rt,
    Ass,
    Vtt
};
constexpr int SubtitleFormatCount = 17;

// One flag per format, indexed by SubtitleFormat.
using SubtitleFormatFlags = std::array<bool, SubtitleFormatCount>;

// The extension without its dot ("sub"), which is also the format's key in Config.ini.
std::string_view FormatExtension(SubtitleFormat format);

// All formats in the fixed search order.
const std::array<SubtitleFormat, SubtitleFormatCount>& SearchOrder();

// The order in which the format keys are stored in Config.ini (differs from the search order).
const std::array<SubtitleFormat, SubtitleFormatCount>& ConfigKeyOrder();

// "Subtitles Files" with "*.ext" for every enabled format, in search order.
FileFilters SubtitleFileFilter(const SubtitleFormatFlags& enabled);

}  // namespace orvalen
