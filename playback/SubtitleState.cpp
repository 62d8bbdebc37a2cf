#include "playback/SubtitleState.h"

namespace orvalen {

void SubtitleState::Reset() {
    ResetTrack(Track);
    ResetTrack(MergeTrack);
    FormatUnknown = false;
    FoundFiles.clear();
    Editing = EditSession();
}

LoadReport LoadSubtitles(const std::string& path, SubtitleTrack& track, FilmState& film,
                         SubtitleState& subtitles, FrameRateProvider* frameRates) {
    LoaderState loader{film.FrameRate, subtitles.FormatUnknown, film.Path};
    const LoadReport report = LoadSubtitleFile(path, track, loader, frameRates);
    film.FrameRate = loader.FrameRate;
    subtitles.FormatUnknown = loader.SubtitleFormatUnknown;
    return report;
}

MergeLoad LoadMergeSubtitles(const std::string& path, FilmState& film, SubtitleState& subtitles,
                             FrameRateProvider* frameRates) {
    LoaderState loader{film.FrameRate, subtitles.FormatUnknown, film.Path};
    MergeLoad load = LoadMergeFile(path, subtitles.MergeTrack, loader, frameRates);
    film.FrameRate = loader.FrameRate;
    return load;
}

}  // namespace orvalen
