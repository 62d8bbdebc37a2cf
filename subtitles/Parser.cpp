#include "subtitles/Parser.h"

#include <array>
#include <string>
#include <utility>

#include "subtitles/FileIo.h"
#include "subtitles/FrameReaders.h"
#include "subtitles/SubVariantReaders.h"
#include "subtitles/TextEncoding.h"
#include "subtitles/TextStream.h"
#include "subtitles/TimedReaders.h"

namespace orvalen {

namespace {

struct ExtensionReader {
    std::string_view extension;
    SubtitleReaderId reader;  // for ".sub", MicroDvd stands for the whole family
};

constexpr std::array<ExtensionReader, 9> ExtensionReaders = {{
    {".sub", SubtitleReaderId::MicroDvd},
    {".srt", SubtitleReaderId::SubRip},
    {".ssa", SubtitleReaderId::SubStationAlpha},
    {".psb", SubtitleReaderId::PowerDivX},
    {".txt", SubtitleReaderId::TMPlayer},
    {".dks", SubtitleReaderId::Dks},
    {".mpl", SubtitleReaderId::MPlayer},
    {".scr", SubtitleReaderId::MacSub},
    {".vsf", SubtitleReaderId::Viplay},
}};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

SubtitleReaderId ReaderForExtension(std::string_view extension) {
    for (const ExtensionReader& entry : ExtensionReaders) {
        if (EqualsIgnoringAsciiCase(extension, entry.extension)) return entry.reader;
    }
    return SubtitleReaderId::None;
}

// Which of the six ".sub" layouts the file holds, from its first bytes and first line.
SubtitleReaderId SubLayout(TextStream& stream) {
    int32_t frame = 0;
    bool microDvd = stream.Scan("{%d}", frame).Converted == 1;
    stream.Rewind();
    if (microDvd) return SubtitleReaderId::MicroDvd;
    std::string_view line;
    stream.ReadLine(line);
    stream.Rewind();
    if (!line.empty() && line[0] == '{') return SubtitleReaderId::BraceBlocks;
    if (line.size() >= 4 && line[0] == '[') {
        std::string_view tag = line.substr(1, 3);
        if (EqualsIgnoringAsciiCase(tag, "TIT")) return SubtitleReaderId::SubViewer1;
        if (EqualsIgnoringAsciiCase(tag, "INF")) return SubtitleReaderId::SubViewer2;
    }
    int32_t number = 0, seconds = 0, hundredths = 0;
    if (ScanText(line, "%d %d.%d", number, seconds, hundredths).Converted == 3) {
        return SubtitleReaderId::WrappedSeconds;
    }
    return SubtitleReaderId::TimecodePairs;
}

void RunReader(SubtitleReaderId reader, SubtitleTrack& track, TextStream& stream,
               int32_t frameRate) {
    switch (reader) {
        case SubtitleReaderId::MicroDvd:
            return ReadMicroDvd(track, stream, frameRate);
        case SubtitleReaderId::MPlayer:
            return ReadMPlayer(track, stream, frameRate);
        case SubtitleReaderId::MacSub:
            return ReadMacSub(track, stream, frameRate);
        case SubtitleReaderId::BraceBlocks:
            return ReadBraceBlocks(track, stream);
        case SubtitleReaderId::SubViewer1:
            return ReadSubViewer1(track, stream);
        case SubtitleReaderId::SubViewer2:
            return ReadSubViewer2(track, stream);
        case SubtitleReaderId::WrappedSeconds:
            return ReadWrappedSeconds(track, stream);
        case SubtitleReaderId::TimecodePairs:
            return ReadTimecodePairs(track, stream);
        case SubtitleReaderId::SubRip:
            return ReadSubRip(track, stream);
        case SubtitleReaderId::SubStationAlpha:
            return ReadSubStationAlpha(track, stream);
        case SubtitleReaderId::PowerDivX:
            return ReadPowerDivX(track, stream);
        case SubtitleReaderId::TMPlayer:
            return ReadTMPlayer(track, stream);
        case SubtitleReaderId::Dks:
            return ReadDks(track, stream);
        case SubtitleReaderId::Viplay:
            return ReadViplay(track, stream);
        case SubtitleReaderId::None:
            return;
    }
}

// A known rate is kept until the film is closed; otherwise the film is asked once, and the
// default stands in when it cannot tell.
void ObtainFrameRate(LoaderState& state, FrameRateProvider* frameRates) {
    if (state.FrameRate != 0) return;
    if (frameRates) state.FrameRate = frameRates->GetFrameRate(state.MoviePath);
    if (state.FrameRate <= 0) state.FrameRate = DefaultFrameRate;
}

void Finish(LoadReport& report, const LoaderState& state) {
    if (state.FrameRate != 0)
        report.FrameRateStatus = "FrameRate = " + std::to_string(state.FrameRate);
}

LoadReport LoadText(std::string_view path, std::string fileBytes, SubtitleTrack& track,
                    LoaderState& state, FrameRateProvider* frameRates) {
    LoadReport report;
    report.Opened = true;
    state.SubtitleFormatUnknown = false;
    report.Reader = ReaderForExtension(FileExtension(path));
    if (report.Reader == SubtitleReaderId::None) {
        state.SubtitleFormatUnknown = true;
        Finish(report, state);
        return report;
    }
    DecodeByteOrderMark(fileBytes);
    track.Encoding = DetectEncoding(fileBytes);
    TextStream stream(std::move(fileBytes));
    if (report.Reader == SubtitleReaderId::MicroDvd) report.Reader = SubLayout(stream);
    if (ReaderCountsFrames(report.Reader)) ObtainFrameRate(state, frameRates);
    RunReader(report.Reader, track, stream, state.FrameRate);
    Finish(report, state);
    return report;
}

}  // namespace

const char* ReaderName(SubtitleReaderId reader) {
    switch (reader) {
        case SubtitleReaderId::MicroDvd:
            return "microdvd";
        case SubtitleReaderId::BraceBlocks:
            return "brace-blocks";
        case SubtitleReaderId::SubViewer1:
            return "subviewer1";
        case SubtitleReaderId::SubViewer2:
            return "subviewer2";
        case SubtitleReaderId::WrappedSeconds:
            return "wrapped-seconds";
        case SubtitleReaderId::TimecodePairs:
            return "timecode-pairs";
        case SubtitleReaderId::SubRip:
            return "subrip";
        case SubtitleReaderId::SubStationAlpha:
            return "ssa";
        case SubtitleReaderId::PowerDivX:
            return "powerdivx";
        case SubtitleReaderId::TMPlayer:
            return "tmplayer";
        case SubtitleReaderId::Dks:
            return "dks";
        case SubtitleReaderId::MPlayer:
            return "mplayer";
        case SubtitleReaderId::MacSub:
            return "macsub";
        case SubtitleReaderId::Viplay:
            return "viplay";
        case SubtitleReaderId::None:
            break;
    }
    return "unknown";
}

bool ReaderCountsFrames(SubtitleReaderId reader) {
    return reader == SubtitleReaderId::MicroDvd || reader == SubtitleReaderId::MPlayer ||
           reader == SubtitleReaderId::MacSub;
}

std::string_view FileExtension(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool ExtensionHasReader(std::string_view extension) {
    return ReaderForExtension(extension) != SubtitleReaderId::None;
}

LoadReport LoadSubtitleBytes(std::string_view path, std::string_view fileBytes,
                             SubtitleTrack& track, LoaderState& state,
                             FrameRateProvider* frameRates) {
    return LoadText(path, std::string(fileBytes), track, state, frameRates);
}

LoadReport LoadSubtitleFile(const std::string& path, SubtitleTrack& track, LoaderState& state,
                            FrameRateProvider* frameRates) {
    std::string bytes;
    std::string error;
    bool hasReader = ExtensionHasReader(FileExtension(path));
    // A file without a reader is only opened, never read.
    bool opened = hasReader ? ReadWholeFile(path, bytes, error) : CanOpenForReading(path, error);
    if (opened) return LoadText(path, std::move(bytes), track, state, frameRates);
    LoadReport report;
    report.OpenError = error;
    if (!hasReader) {
        state.SubtitleFormatUnknown = true;
        Finish(report, state);
    }
    return report;
}

}  // namespace orvalen
