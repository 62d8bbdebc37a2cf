#include "app/MainWindow.h"
#include "app/StatusBar.h"

namespace orvalen {

LoadReport MainWindow::LoadSubtitleFile(const std::string& path, SubtitleTrack& track) {
    const LoadReport report = ::orvalen::LoadSubtitleFile(path, track, Loader, &FrameRates);
    if (!report.FrameRateStatus.empty()) {
        StatusArea->SetPanelText(4, QString::fromStdString(report.FrameRateStatus));
    }
    ResyncIndex();
    return report;
}

}  // namespace orvalen
