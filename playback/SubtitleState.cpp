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

}  // namespace orvalen
