#include "playback/SubtitleState.h"

namespace orvalen {

void SubtitleState::Reset() {
    ResetTrack(Track);
    ResetTrack(MergeTrack);
    FormatUnknown = false;
    FoundFiles.clear();
    ResyncActive = false;
    MergeActive = false;
    ResyncCount = 0;
    ResyncMarks = {};
}

LoadReport LoadSubtitles(const std::string& path, SubtitleTrack& track, FilmState& film,
                         SubtitleState& subtitles, FrameRateProvider* frameRates) {
    LoaderState loader{film.FrameRate, subtitles.FormatUnknown, film.Path};
    const LoadReport report = LoadSubtitleFile(path, track, loader, frameRates);
    film.FrameRate = loader.FrameRate;
    subtitles.FormatUnknown = loader.SubtitleFormatUnknown;
    return report;
}

}  // namespace orvalen
