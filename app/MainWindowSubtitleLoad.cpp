#include "app/MainWindow.h"
#include "app/StatusBar.h"

namespace orvalen {

LoadReport MainWindow::LoadSubtitleFile(const std::string& path, SubtitleTrack& track) {
    const LoadReport report = LoadSubtitles(path, track, film_, subtitles_, &frameRates_);
    if (!report.FrameRateStatus.empty()) {
        ui_.StatusArea->SetPanelText(4, QString::fromStdString(report.FrameRateStatus));
    }
    ResyncIndex();
    return report;
}

}  // namespace orvalen
