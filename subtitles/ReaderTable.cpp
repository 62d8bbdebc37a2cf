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
using F = SubtitleFormat;
using M = MarkupFamily;

constexpr auto Readers = std::to_array<SubtitleReader>({
    {.Id = R::MicroDvd,
     .Format = F::Sub,
     .Name = "microdvd",
     .CountsFrames = true,
     .Recognises = StartsWithFrameNumber,
     .Read = ReadMicroDvd,
     .Markup = M::MicroDvd},
    {.Id = R::BraceBlocks,
     .Format = F::Sub,
     .Name = "brace-blocks",
     .Recognises = StartsWithBrace,
     .Read = ReadBraceBlocks,
     .Markup = M::Plain},
    {.Id = R::SubViewer1,
     .Format = F::Sub,
     .Name = "subviewer1",
     .Recognises = StartsWithTitleTag,
     .Read = ReadSubViewer1,
     .Markup = M::BarBreaks},
    {.Id = R::SubViewer2,
     .Format = F::Sub,
     .Name = "subviewer2",
     .Recognises = StartsWithInformationTag,
     .Read = ReadSubViewer2,
     .Markup = M::BrTags},
    {.Id = R::WrappedSeconds,
     .Format = F::Sub,
     .Name = "wrapped-seconds",
     .Recognises = StartsWithNumberAndSeconds,
     .Read = ReadWrappedSeconds,
     .Markup = M::Plain},
    {.Id = R::TimecodePairs,
     .Format = F::Sub,
     .Name = "timecode-pairs",
     .Read = ReadTimecodePairs,
     .Markup = M::Plain},
    {.Id = R::SubRip, .Format = F::Srt, .Name = "subrip", .Read = ReadSubRip, .Markup = M::SubRip},
    {.Id = R::SubStationAlpha,
     .Format = F::Ssa,
     .Name = "ssa",
     .Read = ReadSubStationAlpha,
     .Markup = M::Ssa},
    {.Id = R::PowerDivX,
     .Format = F::Psb,
     .Name = "powerdivx",
     .Read = ReadPowerDivX,
     .Markup = M::BarBreaks},
    {.Id = R::Mpl2,
     .Format = F::Txt,
     .Name = "mpl2",
     .Recognises = StartsWithMpl2Record,
     .Read = ReadMpl2,
     .Markup = M::MicroDvd},
    {.Id = R::TMPlayerClassic,
     .Format = F::Txt,
     .Name = "tmplayer-classic",
     .Recognises = StartsWithClassicTMPlayerRecord,
     .Read = ReadTMPlayerClassic,
     .Markup = M::BarBreaks},
    {.Id = R::TMPlayer,
     .Format = F::Txt,
     .Name = "tmplayer",
     .Read = ReadTMPlayer,
     .Markup = M::BarBreaks},
    {.Id = R::Dks, .Format = F::Dks, .Name = "dks", .Read = ReadDks, .Markup = M::BrTags},
    {.Id = R::MPlayer,
     .Format = F::Mpl,
     .Name = "mplayer",
     .CountsFrames = true,
     .Read = ReadMPlayer,
     .Markup = M::BarBreaks},
    {.Id = R::MacSub,
     .Format = F::Scr,
     .Name = "macsub",
     .CountsFrames = true,
     .Read = ReadMacSub,
     .Markup = M::Plain},
    {.Id = R::Viplay,
     .Format = F::Vsf,
     .Name = "viplay",
     .Read = ReadViplay,
     .Markup = M::BarBreaks},
    {.Id = R::AdvancedSubStationAlpha,
     .Format = F::Ass,
     .Name = "ass",
     .Read = ReadSubStationAlpha,
     .Markup = M::Ssa},
    {.Id = R::WebVtt, .Format = F::Vtt, .Name = "webvtt", .Read = ReadWebVtt, .Markup = M::WebVtt},
});

// Whether the extension, with its dot, is the format's.
bool IsExtensionOf(std::string_view extension, SubtitleFormat format) {
    return !extension.empty() && extension[0] == '.' &&
           EqualsIgnoringAsciiCase(extension.substr(1), FormatExtension(format));
}

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
        if (!IsExtensionOf(extension, reader.Format)) continue;
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
        if (IsExtensionOf(extension, reader.Format)) return true;
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
