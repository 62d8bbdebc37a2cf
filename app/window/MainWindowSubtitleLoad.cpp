#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"

namespace orvalen {

LoadReport MainWindow::LoadSubtitleFile(const std::string& path, SubtitleTrack& track) {
    const bool shown = &track == &subtitles_.Track;
    // The file being replaced keeps the offset the user gave it.
    if (shown) RememberTrackOffset();
    const LoadReport report = LoadSubtitles(path, track, film_, subtitles_, &frameRates_);
    if (!report.FrameRateStatus.empty()) {
        ui_.StatusArea->SetPanelText(4, QString::fromStdString(report.FrameRateStatus));
    }
    if (shown) {
        RestoreTrackOffset();
        TrackChanged();
        UpdateEncodingMenu();
    }
    ResyncIndex();
    return report;
}

}  // namespace orvalen
