#include "subtitles/SubtitleWriters.h"

#include <cstdio>

#include "files/FileIo.h"
#include "subtitles/DisplayText.h"
#include "subtitles/MarkupWriter.h"
#include "subtitles/Parser.h"
#include "subtitles/SubRipWriter.h"

namespace orvalen {

namespace {

constexpr SaveFormatRow Rows[] = {
    {SaveFormat::SubRip, "srt", "SubRip"},
    {SaveFormat::WebVtt, "vtt", "WebVTT"},
    {SaveFormat::Ass, "ass", "SubStation Alpha"},
    {SaveFormat::MicroDvd, "sub", "MicroDVD"},
};

constexpr std::string_view AssHeader =
    "[Script Info]\n"
    "ScriptType: v4.00+\n"
    "PlayResX: 384\n"
    "PlayResY: 288\n"
    "WrapStyle: 0\n"
    "ScaledBorderAndShadow: yes\n"
    "\n"
    "[V4+ Styles]\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
    "Style: Default,Arial,20,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,"
    "1,2,0,2,10,10,10,1\n"
    "\n"
    "[Events]\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";

constexpr std::string_view AssLead = "Dialogue: 0,";
constexpr std::string_view AssFields = ",Default,,0,0,0,,";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) return false;
    }
    return true;
}

int64_t NotNegative(int32_t t) {
    return t < 0 ? 0 : t;
}

// H:MM:SS with separator and the fraction given in digits.
std::string ClockText(int64_t units, int64_t perSecond, const char* format) {
    const int64_t seconds = units / perSecond;
    char text[48];
    std::snprintf(text, sizeof text, format, static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
                  static_cast<long long>(units % perSecond));
    return text;
}

std::string VttTime(int32_t t) {
    return ClockText(NotNegative(t), 1000, "%02lld:%02lld:%02lld.%03lld");
}

// Centiseconds, rounded to the nearest.
std::string AssTime(int32_t t) {
    return ClockText((NotNegative(t) + 5) / 10, 100, "%lld:%02lld:%02lld.%02lld");
}

// The first frame that the reader turns back into t or later, so that a track read from
// MicroDVD at the same rate gets its own frames back.
int64_t FrameOf(int32_t t, int32_t frameRate) {
    return (NotNegative(t) * frameRate + 999999) / 1000000;
}

std::string_view WithoutLineEnds(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// A text of the target's own markup whose line breaks are written as sep.
std::string WithBreaks(std::string_view text, std::string_view sep) {
    std::string out;
    for (char c : WithoutLineEnds(text)) {
        if (c == '\n' || c == '\r')
            out += sep;
        else
            out += c;
    }
    return out;
}

std::string CrLfLines(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void WriteSubRipTrack(const SubtitleTrack& track, const TrackSource& source, std::string& out) {
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        const std::string& text = track.Texts[i];
        if (source.Markup == MarkupFamily::SubRip) {
            AppendSubRipEntry(out, i + 1, track.StartMs[i], track.EndMs[i], text);
            continue;
        }
        std::string converted =
            ConvertMarkup(text, track.Encoding, source.Markup, TargetMarkup::SubRip);
        converted += '\n';
        AppendSubRipEntry(out, i + 1, track.StartMs[i], track.EndMs[i], converted);
    }
}

void WriteWebVttTrack(const SubtitleTrack& track, const TrackSource& source, std::string& out) {
    std::string cues = "WEBVTT\n";
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        std::string text;
        if (source.Markup == MarkupFamily::WebVtt) {
            text =
                WithBreaks(DecodeDetected(WithoutLineEnds(track.Texts[i]), track.Encoding), "\n");
            // A blank line would end the cue.
            for (size_t at; (at = text.find("\n\n")) != std::string::npos;) text.erase(at, 1);
        } else {
            text =
                ConvertMarkup(track.Texts[i], track.Encoding, source.Markup, TargetMarkup::WebVtt);
        }
        cues += "\n" + VttTime(track.StartMs[i]) + " --> " + VttTime(track.EndMs[i]) + "\n";
        if (!text.empty()) cues += text + "\n";
    }
    out += CrLfLines(cues);
}

std::string AssText(const SubtitleTrack& track, const TrackSource& source, int32_t i) {
    if (source.Markup == MarkupFamily::Ssa) return WithBreaks(track.Texts[i], "\\N");
    return ConvertMarkup(track.Texts[i], track.Encoding, source.Markup, TargetMarkup::Ass);
}

void WriteAssTrack(const SubtitleTrack& track, const TrackSource& source, std::string& out) {
    const SsaLayout* layout = source.Markup == MarkupFamily::Ssa ? track.Ssa.get() : nullptr;
    std::string lines;
    if (!layout || layout->Events.empty()) lines = AssHeader;
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        const std::string times = AssTime(track.StartMs[i]) + "," + AssTime(track.EndMs[i]);
        if (layout && static_cast<size_t>(i) < layout->Events.size()) {
            const SsaEventLine& event = layout->Events[static_cast<size_t>(i)];
            lines += event.Before + event.Lead + times + event.Fields + event.Text;
            continue;
        }
        // A merged entry: after the file's own lines, before what follows them.
        if (!lines.empty() && lines.back() != '\n') lines += '\n';
        lines += std::string(AssLead) + times + std::string(AssFields) + AssText(track, source, i) +
                 "\n";
    }
    if (layout) lines += layout->Trailer;
    out += layout && !layout->CrLf ? lines : CrLfLines(lines);
}

// A first MicroDVD line "{1}{1}29.970" declares the frame rate to other players.
bool IsRateDeclaration(std::string_view text) {
    text = WithoutLineEnds(text);
    return !text.empty() && text.find_first_not_of("0123456789.") == std::string_view::npos;
}

void WriteMicroDvdTrack(const SubtitleTrack& track, const TrackSource& source, std::string& out) {
    const int32_t frameRate = source.FrameRate > 0 ? source.FrameRate : DefaultFrameRate;
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        if (i == 0 && source.Markup == MarkupFamily::MicroDvd &&
            IsRateDeclaration(track.Texts[0])) {
            // The frames below count at frameRate; a stale rate would move every subtitle.
            char rate[32];
            std::snprintf(rate, sizeof rate, "{1}{1}%d.%03d\r\n", frameRate / 1000,
                          frameRate % 1000);
            out += rate;
            continue;
        }
        const std::string text = source.Markup == MarkupFamily::MicroDvd
                                     ? WithBreaks(track.Texts[i], "|")
                                     : ConvertMarkup(track.Texts[i], track.Encoding, source.Markup,
                                                     TargetMarkup::MicroDvd);
        out += "{" + std::to_string(FrameOf(track.StartMs[i], frameRate)) + "}{" +
               std::to_string(FrameOf(track.EndMs[i], frameRate)) + "}" + text + "\r\n";
    }
}

}  // namespace

std::span<const SaveFormatRow> SaveFormats() {
    return Rows;
}

const SaveFormatRow* SaveFormatOfPath(std::string_view path) {
    std::string_view extension = FileExtension(path);
    if (extension.empty()) return nullptr;
    return SaveFormatNamed(extension.substr(1));
}

const SaveFormatRow* SaveFormatNamed(std::string_view name) {
    for (const SaveFormatRow& row : Rows)
        if (EqualsIgnoringAsciiCase(row.Name, name)) return &row;
    return nullptr;
}

FileFilters SaveFormatFilters() {
    FileFilters filters;
    for (const SaveFormatRow& row : Rows)
        filters.push_back({row.Description, {"*." + std::string(row.Name)}});
    return filters;
}

void WriteSubtitles(const SubtitleTrack& track, SaveFormat format, const TrackSource& source,
                    std::string& out) {
    switch (format) {
        case SaveFormat::SubRip:
            return WriteSubRipTrack(track, source, out);
        case SaveFormat::WebVtt:
            return WriteWebVttTrack(track, source, out);
        case SaveFormat::Ass:
            return WriteAssTrack(track, source, out);
        case SaveFormat::MicroDvd:
            return WriteMicroDvdTrack(track, source, out);
    }
}

bool SaveSubtitleFile(const SubtitleTrack& track, const std::string& path, SaveFormat format,
                      const TrackSource& source, std::string& error) {
    std::string bytes;
    WriteSubtitles(track, format, source, bytes);
    return WriteFileAtomically(path, bytes, error);
}

}  // namespace orvalen
