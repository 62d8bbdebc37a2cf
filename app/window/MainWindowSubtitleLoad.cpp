#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"

namespace orvalen {

LoadReport MainWindow::LoadSubtitleFile(const std::string& path, SubtitleTrack& track) {
    const bool shown = &track == &subtitles_.Track;
    // The file being replaced keeps the offset the user gave it.
    if (shown) RememberTrackOffset();
    const LoadReport report = LoadSubtitles(path, track, film_, subtitles_, &frameRates_);
    // The text shown came from the file just replaced; a file no reader takes replaces nothing.
    if (&track == &subtitles_.Track && report.Opened && report.Reader != SubtitleReaderId::None)
        ClearSubtitleText();
    if (!report.FrameRateStatus.empty()) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status,
                                     QString::fromStdString(report.FrameRateStatus));
    }
    if (report.Dropped > 0) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status,
                                     QStringLiteral("Only the first %1 of %2 subtitles are shown.")
                                         .arg(TrackCapacity)
                                         .arg(TrackCapacity + report.Dropped));
    }
    if (shown) {
        RestoreTrackOffset();
        TrackChanged();
        UpdateEncodingMenu();
    }
    ResyncIndex();
    if (&track == &subtitles_.Track) undo_.Forget();
    return report;
}

}  // namespace orvalen
