#include "subtitles/Parser.h"

#include <string>
#include <utility>

#include "files/FileIo.h"
#include "subtitles/TextEncoding.h"
#include "subtitles/TextStream.h"

namespace orvalen {

namespace {

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
    std::string_view extension = FileExtension(path);
    if (!ExtensionHasReader(extension)) {
        state.SubtitleFormatUnknown = true;
        Finish(report, state);
        return report;
    }
    DecodeByteOrderMark(fileBytes);
    track.Encoding = DetectEncoding(fileBytes);
    const size_t firstLf = fileBytes.find('\n');
    const bool crLf = firstLf != std::string::npos && firstLf > 0 && fileBytes[firstLf - 1] == '\r';
    TextStream stream(std::move(fileBytes));
    const SubtitleReader& reader = *ChooseReader(extension, stream.Remaining());
    report.Reader = reader.Id;
    if (reader.CountsFrames) ObtainFrameRate(state, frameRates);
    ResetTrack(track);
    EntryAppender entries(track);
    reader.Read(entries, stream, state.FrameRate);
    if (track.Ssa) track.Ssa->CrLf = crLf;
    track.Cursor = 0;
    report.Dropped = entries.Dropped();
    Finish(report, state);
    return report;
}

}  // namespace

std::string_view FileExtension(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
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
    bool opened = hasReader ? ReadWholeFile(path, bytes, error) == ReadStatus::Read
                            : CanOpenForReading(path, error);
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
