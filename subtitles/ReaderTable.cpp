#include "subtitles/ReaderTable.h"

#include <array>

#include "subtitles/FrameReaders.h"
#include "subtitles/SubRipReader.h"
#include "subtitles/SubVariantReaders.h"
#include "subtitles/TimedReaders.h"
#include "subtitles/TxtReaders.h"
#include "subtitles/WebVttReader.h"

namespace orvalen {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

// The first line as a line read returns it: up to and including its LF, at most LineLimit.
std::string_view FirstLine(std::string_view text) {
    size_t end = text.find('\n');
    return text.substr(0, end == std::string_view::npos ? end : end + 1).substr(0, LineLimit);
}

// The ".sub" layouts, told apart by the first bytes and the first line.

bool StartsWithFrameNumber(std::string_view text) {
    int32_t frame = 0;
    return ScanText(text, "{%d}", frame).Converted == 1;
}

bool StartsWithBrace(std::string_view text) {
    return !text.empty() && text[0] == '{';
}

bool StartsWithTitleTag(std::string_view text) {
    return EqualsIgnoringAsciiCase(text.substr(0, 4), "[TIT");
}

bool StartsWithInformationTag(std::string_view text) {
    return EqualsIgnoringAsciiCase(text.substr(0, 4), "[INF");
}

bool StartsWithNumberAndSeconds(std::string_view text) {
    int32_t number = 0, seconds = 0, hundredths = 0;
    return ScanText(FirstLine(text), "%d %d.%d", number, seconds, hundredths).Converted == 3;
}

using R = SubtitleReaderId;

using M = MarkupFamily;

constexpr std::array Readers = std::to_array<SubtitleReader>({
    {R::MicroDvd, ".sub", "microdvd", true, StartsWithFrameNumber, ReadMicroDvd, M::MicroDvd},
    {R::BraceBlocks, ".sub", "brace-blocks", false, StartsWithBrace, ReadBraceBlocks, M::Plain},
    {R::SubViewer1, ".sub", "subviewer1", false, StartsWithTitleTag, ReadSubViewer1, M::BarBreaks},
    {R::SubViewer2, ".sub", "subviewer2", false, StartsWithInformationTag, ReadSubViewer2,
     M::BrTags},
    {R::WrappedSeconds, ".sub", "wrapped-seconds", false, StartsWithNumberAndSeconds,
     ReadWrappedSeconds, M::Plain},
    {R::TimecodePairs, ".sub", "timecode-pairs", false, nullptr, ReadTimecodePairs, M::Plain},
    {R::SubRip, ".srt", "subrip", false, nullptr, ReadSubRip, M::SubRip},
    {R::SubStationAlpha, ".ssa", "ssa", false, nullptr, ReadSubStationAlpha, M::Ssa},
    {R::PowerDivX, ".psb", "powerdivx", false, nullptr, ReadPowerDivX, M::BarBreaks},
    {R::Mpl2, ".txt", "mpl2", false, StartsWithMpl2Record, ReadMpl2, M::MicroDvd},
    {R::TMPlayerClassic, ".txt", "tmplayer-classic", false, StartsWithClassicTMPlayerRecord,
     ReadTMPlayerClassic, M::BarBreaks},
    {R::TMPlayer, ".txt", "tmplayer", false, nullptr, ReadTMPlayer, M::BarBreaks},
    {R::Dks, ".dks", "dks", false, nullptr, ReadDks, M::BrTags},
    {R::MPlayer, ".mpl", "mplayer", true, nullptr, ReadMPlayer, M::BarBreaks},
    {R::MacSub, ".scr", "macsub", true, nullptr, ReadMacSub, M::Plain},
    {R::Viplay, ".vsf", "viplay", false, nullptr, ReadViplay, M::BarBreaks},
    {R::AdvancedSubStationAlpha, ".ass", "ass", false, nullptr, ReadSubStationAlpha, M::Ssa},
    {R::WebVtt, ".vtt", "webvtt", false, nullptr, ReadWebVtt, M::WebVtt},
});

}  // namespace

std::span<const SubtitleReader> SubtitleReaders() {
    return Readers;
}

const SubtitleReader* ChooseReader(std::string_view extension, std::string_view text) {
    // SubRip is often saved as ".sub"; its opening fits none of the ".sub" layouts.
    if (EqualsIgnoringAsciiCase(extension, ".sub") && StartsWithSubRipCue(text))
        return FindReader(R::SubRip);
    const SubtitleReader* last = nullptr;
    for (const SubtitleReader& reader : Readers) {
        if (!EqualsIgnoringAsciiCase(extension, reader.Extension)) continue;
        if (!reader.Recognises || reader.Recognises(text)) return &reader;
        last = &reader;
    }
    return last;
}

const SubtitleReader* FindReader(SubtitleReaderId id) {
    for (const SubtitleReader& reader : Readers) {
        if (reader.Id == id) return &reader;
    }
    return nullptr;
}

bool ExtensionHasReader(std::string_view extension) {
    for (const SubtitleReader& reader : Readers) {
        if (EqualsIgnoringAsciiCase(extension, reader.Extension)) return true;
    }
    return false;
}

const char* ReaderName(SubtitleReaderId reader) {
    const SubtitleReader* row = FindReader(reader);
    return row ? row->Name : "unknown";
}

bool ReaderCountsFrames(SubtitleReaderId reader) {
    const SubtitleReader* row = FindReader(reader);
    return row && row->CountsFrames;
}

MarkupFamily MarkupFamilyOf(SubtitleReaderId reader) {
    const SubtitleReader* row = FindReader(reader);
    return row ? row->Markup : MarkupFamily::Plain;
}

}  // namespace orvalen
