#include "subtitles/SubtitleFormats.h"

namespace orvalen {

namespace {

using FormatOrder = std::array<SubtitleFormat, SubtitleFormatCount>;

// A row out of place or two rows at one stored position do not compile: a constant
// expression cannot throw.
constexpr FormatOrder SearchOrderOfFormats() {
    FormatOrder order{};
    for (size_t i = 0; i < order.size(); ++i) {
        if (SubtitleFormatTable[i].Id != static_cast<SubtitleFormat>(i)) {
            throw "format rows are not in the order of SubtitleFormat";
        }
        order[i] = static_cast<SubtitleFormat>(i);
    }
    return order;
}

constexpr FormatOrder ConfigKeyOrderOfFormats() {
    FormatOrder order{};
    std::array<bool, SubtitleFormatCount> taken{};
    for (const SubtitleFormatRow& row : SubtitleFormatTable) {
        if (row.StoredAt >= order.size() || taken[row.StoredAt]) {
            throw "config key positions collide";
        }
        taken[row.StoredAt] = true;
        order[row.StoredAt] = row.Id;
    }
    return order;
}

constexpr FormatOrder SearchOrderTable = SearchOrderOfFormats();
constexpr FormatOrder ConfigKeyOrderTable = ConfigKeyOrderOfFormats();

}  // namespace

const SubtitleFormatRow& FormatRow(SubtitleFormat format) {
    return SubtitleFormatTable[static_cast<size_t>(format)];
}

std::string_view FormatExtension(SubtitleFormat format) {
    return FormatRow(format).Extension;
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
