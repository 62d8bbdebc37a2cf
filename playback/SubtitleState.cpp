#include "playback/SubtitleState.h"

#include <algorithm>
#include <cstdio>

#include "playback/PlaybackClock.h"
#include "subtitles/DisplayText.h"

namespace orvalen {

namespace {

constexpr int32_t kOffsetLimit = 86400000;

// The second track's own time of the film position pos.
int32_t SecondTime(const SecondSubtitles& second, int32_t pos) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{pos} - second.OffsetMs, INT32_MIN, INT32_MAX));
}

}  // namespace

void SecondSubtitles::Reset() {
    ResetTrack(Track);
    Markup = MarkupFamily::Plain;
    Loaded = false;
    OffsetMs = 0;
}

void SubtitleState::Reset() {
    ResetTrack(Track);
    ResetTrack(MergeTrack);
    FormatUnknown = false;
    FoundFiles.clear();
    Editing = EditSession();
    Markup = MarkupFamily::Plain;
    ChosenEncoding.clear();
    TrackPath.clear();
    Offset.Forget();
    TrackFile.reset();
    Second.Reset();
}

LoadReport LoadSecondSubtitles(const std::string& path, FilmState& film, SubtitleState& subtitles,
                               FrameRateProvider* frameRates) {
    if (!ExtensionHasReader(FileExtension(path))) return {};
    LoaderState loader{film.FrameRate, false, film.Path};
    SecondSubtitles& second = subtitles.Second;
    const LoadReport report = LoadSubtitleFile(path, second.Track, loader, frameRates);
    film.FrameRate = loader.FrameRate;
    if (report.Reader != SubtitleReaderId::None) {
        second.Markup = MarkupFamilyOf(report.Reader);
        second.Loaded = true;
    }
    return report;
}

std::string_view ChooseSecondSubtitle(SecondSubtitles& second, int32_t pos, int32_t delay) {
    if (!second.Loaded) return {};
    return ChooseSubtitle(second.Track, SecondTime(second, pos), delay);
}

void ResyncSecondIndex(SecondSubtitles& second, int32_t pos) {
    if (second.Loaded) ResyncIndex(second.Track, SecondTime(second, pos));
}

void StepSecondOffset(SecondSubtitles& second, int32_t step) {
    second.OffsetMs = std::clamp(second.OffsetMs + step, -kOffsetLimit, kOffsetLimit);
}

std::string SecondOffsetText(int32_t offsetMs) {
    char text[64];
    const int32_t size = offsetMs < 0 ? -offsetMs : offsetMs;
    std::snprintf(text, sizeof text, "Second subtitle delay: %c%d.%03d s", offsetMs < 0 ? '-' : '+',
                  size / 1000, size % 1000);
    return text;
}

std::vector<StyledLine> SecondScreenLines(const SecondSubtitles& second, std::string_view text) {
    return ParseMarkup(DecodeDetected(text, second.Track.Encoding), second.Markup);
}

LoadReport LoadSubtitles(const std::string& path, SubtitleTrack& track, FilmState& film,
                         SubtitleState& subtitles, FrameRateProvider* frameRates) {
    LoaderState loader{film.FrameRate, subtitles.FormatUnknown, film.Path};
    const LoadReport report = LoadSubtitleFile(path, track, loader, frameRates);
    film.FrameRate = loader.FrameRate;
    subtitles.FormatUnknown = loader.SubtitleFormatUnknown;
    if (&track == &subtitles.Track && report.Reader != SubtitleReaderId::None) {
        subtitles.Markup = MarkupFamilyOf(report.Reader);
        subtitles.ChosenEncoding.clear();
    }
    if (&track == &subtitles.Track && report.Opened) subtitles.TrackPath = path;
    if (&track == &subtitles.Track) {
        subtitles.Offset.Forget();
        subtitles.TrackFile = SubtitleFileKeyOf(path);
    }
    return report;
}

MergeLoad LoadMergeSubtitles(const std::string& path, FilmState& film, SubtitleState& subtitles,
                             FrameRateProvider* frameRates) {
    LoaderState loader{film.FrameRate, subtitles.FormatUnknown, film.Path};
    MergeLoad load = LoadMergeFile(path, subtitles.MergeTrack, loader, frameRates);
    film.FrameRate = loader.FrameRate;
    return load;
}

std::vector<StyledLine> ScreenLines(const SubtitleState& subtitles, std::string_view text) {
    const std::string decoded = subtitles.ChosenEncoding.empty()
                                    ? DecodeDetected(text, subtitles.Track.Encoding)
                                    : DecodeChosen(text, subtitles.ChosenEncoding);
    std::vector<StyledLine> lines = ParseMarkup(decoded, subtitles.Markup);
    KeepWhatScreenShows(lines);
    return lines;
}

std::string PlainScreenText(const SubtitleState& subtitles, std::string_view text,
                            std::string_view lineBreak) {
    std::string plain;
    bool first = true;
    for (const StyledLine& line : ScreenLines(subtitles, text)) {
        if (!first) plain += lineBreak;
        first = false;
        for (const StyledRun& run : line) plain += run.Text;
    }
    return plain;
}

OffsetRecall RestoreTrackOffset(SubtitleState& subtitles, const std::string& statePath) {
    if (!subtitles.TrackFile) return {};
    OffsetRecall recall = RecallOffset(statePath, *subtitles.TrackFile);
    if (recall.OffsetMs) subtitles.Offset.MoveTo(subtitles.Track, *recall.OffsetMs);
    return recall;
}

std::string RememberTrackOffset(const SubtitleState& subtitles, const std::string& statePath) {
    if (!subtitles.TrackFile) return {};
    return RememberOffset(statePath, *subtitles.TrackFile, subtitles.Offset.Ms());
}

std::string RestoredDelayText(int32_t ms) {
    return "Subtitle delay " + DelayText(ms) + " restored";
}

}  // namespace orvalen
