#include "subtitles/SubtitleFormats.h"

namespace orvalen {

namespace {
constexpr std::array<std::string_view, SubtitleFormatCount> kExtensions = {
    "sub", "smi", "srt", "ssa", "dks", "tts", "jss", "vsf",
    "zeg", "jps", "scr", "psb", "txt", "mpl", "rt"};
}

std::string_view FormatExtension(SubtitleFormat format) {
    return kExtensions[static_cast<size_t>(format)];
}

const std::array<SubtitleFormat, SubtitleFormatCount>& SearchOrder() {
    using F = SubtitleFormat;
    static constexpr std::array<SubtitleFormat, SubtitleFormatCount> order = {
        F::Sub, F::Smi, F::Srt, F::Ssa, F::Dks, F::Tts, F::Jss, F::Vsf,
        F::Zeg, F::Jps, F::Scr, F::Psb, F::Txt, F::Mpl, F::Rt};
    return order;
}

const std::array<SubtitleFormat, SubtitleFormatCount>& ConfigKeyOrder() {
    using F = SubtitleFormat;
    static constexpr std::array<SubtitleFormat, SubtitleFormatCount> order = {
        F::Sub, F::Srt, F::Dks, F::Jss, F::Mpl, F::Jps, F::Psb, F::Rt,
        F::Smi, F::Ssa, F::Tts, F::Vsf, F::Zeg, F::Scr, F::Txt};
    return order;
}

FileFilters SubtitleFileFilter(const SubtitleFormatFlags& enabled) {
    FileFilter filter{"Subtitles Files", {}};
    for (SubtitleFormat format : SearchOrder()) {
        if (enabled[static_cast<size_t>(format)]) {
            filter.Patterns.push_back("*." + std::string(FormatExtension(format)));
        }
    }
    return {filter};
}

}  // namespace orvalen
