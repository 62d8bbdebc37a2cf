#include "subtitles/SubtitleFormats.h"

namespace orvalen {

namespace {

// One searched format: its extension, and where its key stands among the Config.ini keys.
struct SearchedFormat {
    std::string_view Extension;
    size_t ConfigKeyPosition;
};

// Indexed by SubtitleFormat, whose order is the search order.
constexpr std::array<SearchedFormat, SubtitleFormatCount> Formats = {{
    {"sub", 0},
    {"smi", 8},
    {"srt", 1},
    {"ssa", 9},
    {"dks", 2},
    {"tts", 10},
    {"jss", 3},
    {"vsf", 11},
    {"zeg", 12},
    {"jps", 5},
    {"scr", 13},
    {"psb", 6},
    {"txt", 14},
    {"mpl", 4},
    {"rt", 7},
    {"ass", 15},
    {"vtt", 16},
}};

using FormatOrder = std::array<SubtitleFormat, SubtitleFormatCount>;

constexpr FormatOrder SearchOrderOfFormats() {
    FormatOrder order{};
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<SubtitleFormat>(i);
    return order;
}

constexpr FormatOrder ConfigKeyOrderOfFormats() {
    FormatOrder order{};
    std::array<bool, SubtitleFormatCount> taken{};
    for (size_t i = 0; i < Formats.size(); ++i) {
        size_t position = Formats[i].ConfigKeyPosition;
        // Two formats at one position do not compile: a constant expression cannot throw.
        if (position >= order.size() || taken[position]) throw "config key positions collide";
        taken[position] = true;
        order[position] = static_cast<SubtitleFormat>(i);
    }
    return order;
}

constexpr FormatOrder SearchOrderTable = SearchOrderOfFormats();
constexpr FormatOrder ConfigKeyOrderTable = ConfigKeyOrderOfFormats();

}  // namespace

std::string_view FormatExtension(SubtitleFormat format) {
    return Formats[static_cast<size_t>(format)].Extension;
}

const std::array<SubtitleFormat, SubtitleFormatCount>& SearchOrder() {
    return SearchOrderTable;
}

const std::array<SubtitleFormat, SubtitleFormatCount>& ConfigKeyOrder() {
    return ConfigKeyOrderTable;
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
