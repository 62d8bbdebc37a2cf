// Loads arbitrary bytes under every extension, parses the markup of every text read, then
// writes the track as SubRip and reads that back. The first byte picks the name (one per
// format in search order, then an upper-case extension and none), the second the film's frame
// rate and the markup family the whole input is also parsed as.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/Markup.h"
#include "subtitles/Parser.h"
#include "subtitles/SubRipWriter.h"
#include "subtitles/SubtitleFormats.h"

namespace {

std::vector<std::string> FileNames() {
    std::vector<std::string> names;
    for (orvalen::SubtitleFormat format : orvalen::SearchOrder()) {
        names.push_back("a." + std::string(orvalen::FormatExtension(format)));
    }
    names.push_back("a.SUB");
    names.push_back("a");
    return names;
}

constexpr int32_t FrameRates[] = {0, 1, 500, 999, 1000, 23976, 25000, -25000, INT32_MAX, INT32_MIN};

constexpr orvalen::MarkupFamily Families[] = {
    orvalen::MarkupFamily::Plain,   orvalen::MarkupFamily::BarBreaks, orvalen::MarkupFamily::BrTags,
    orvalen::MarkupFamily::SubRip,  orvalen::MarkupFamily::WebVtt,    orvalen::MarkupFamily::Ssa,
    orvalen::MarkupFamily::MicroDvd};

// Runs are never empty and never hold more than the text they come from, plus the few bytes
// that an escape or a character reference may expand to.
void CheckMarkup(std::string_view text, orvalen::MarkupFamily family) {
    size_t shown = 0;
    for (const orvalen::StyledLine& line : orvalen::ParseMarkup(text, family)) {
        for (const orvalen::StyledRun& run : line) {
            if (run.Text.empty()) __builtin_trap();
            shown += run.Text.size();
        }
    }
    if (shown > 2 * text.size()) __builtin_trap();
}

class FixedFrameRate : public orvalen::FrameRateProvider {
  public:
    explicit FixedFrameRate(int32_t rate) : rate_(rate) {}
    int32_t GetFrameRate(const std::string&) override { return rate_; }

  private:
    int32_t rate_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const std::vector<std::string> names = FileNames();
    const std::string& name = names[data[0] % names.size()];
    FixedFrameRate film(FrameRates[data[1] % std::size(FrameRates)]);
    std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    CheckMarkup(bytes, Families[data[1] % std::size(Families)]);

    // The tracks live across inputs, as the window's do, so every load also checks that
    // nothing of the previous one is left behind.
    static orvalen::SubtitleTrack track;
    static orvalen::SubtitleTrack again;
    orvalen::LoaderState state;
    orvalen::LoadReport report = orvalen::LoadSubtitleBytes(name, bytes, track, state, &film);
    if (report.Reader == orvalen::SubtitleReaderId::None) return 0;
    if (track.Count < 0 || track.Count > orvalen::TrackCapacity || track.Cursor != 0) {
        __builtin_trap();
    }
    if (track.Count < orvalen::TrackCapacity &&
        (track.StartMs[track.Count] != 0 || track.EndMs[track.Count] != 0 ||
         !track.Texts[track.Count].empty())) {
        __builtin_trap();
    }

    const orvalen::MarkupFamily family = orvalen::MarkupFamilyOf(report.Reader);
    for (int32_t i = 0; i < track.Count; ++i) CheckMarkup(track.Texts[i], family);

    std::string written;
    if (orvalen::WriteSubRip(track, written) != track.Count) __builtin_trap();
    orvalen::LoadSubtitleBytes("b.srt", written, again, state, nullptr);
    return 0;
}
