#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"

namespace orvalen {

LoadReport MainWindow::LoadSubtitleFile(const std::string& path, SubtitleTrack& track) {
    const LoadReport report = LoadSubtitles(path, track, film_, subtitles_, &frameRates_);
    if (!report.FrameRateStatus.empty()) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status,
                                     QString::fromStdString(report.FrameRateStatus));
    }
    ResyncIndex();
    if (&track == &subtitles_.Track) UpdateEncodingMenu();
    return report;
}

}  // namespace orvalen
