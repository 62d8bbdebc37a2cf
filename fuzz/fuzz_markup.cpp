// Parses markup and cuts it to what a screen shows, on texts of up to 2 MiB: a per-input time
// limit (fuzz_markup.options) catches work that grows faster than the text. The first byte
// picks the markup family, the second how many times the rest is repeated (up to 2^15), so
// that small inputs also make texts of many tags.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/Markup.h"

namespace {

constexpr orvalen::MarkupFamily Families[] = {
    orvalen::MarkupFamily::Plain,   orvalen::MarkupFamily::BarBreaks, orvalen::MarkupFamily::BrTags,
    orvalen::MarkupFamily::SubRip,  orvalen::MarkupFamily::WebVtt,    orvalen::MarkupFamily::Ssa,
    orvalen::MarkupFamily::MicroDvd};

constexpr size_t TextMax = size_t{2} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const orvalen::MarkupFamily family = Families[data[0] % std::size(Families)];
    const std::string_view unit(reinterpret_cast<const char*>(data + 2), size - 2);
    const size_t copies = std::min(size_t{1} << (data[1] % 16), TextMax / unit.size());
    std::string text;
    text.reserve(unit.size() * copies);
    for (size_t i = 0; i < copies; ++i) text += unit;

    std::vector<orvalen::StyledLine> lines = orvalen::ParseMarkup(text, family);
    orvalen::KeepWhatScreenShows(lines);
    if (lines.size() > orvalen::ShownLinesMax) __builtin_trap();
    if (!lines.empty() && lines.back().empty()) __builtin_trap();
    size_t shown = 0;
    for (const orvalen::StyledLine& line : lines) {
        for (const orvalen::StyledRun& run : line) {
            if (run.Text.empty()) __builtin_trap();
            shown += run.Text.size();
        }
    }
    if (shown > orvalen::ShownBytesMax) __builtin_trap();
    return 0;
}
