#include "playback/SubtitleState.h"

#include "subtitles/DisplayText.h"

namespace orvalen {

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
