#include "app/Fiche.h"
#include "app/StatusBar.h"

namespace orvalen {

LoadReport TFiche::LoadSubtitleFile(const std::string& path, SubtitleTrack& track) {
    const LoadReport report = ::orvalen::LoadSubtitleFile(path, track, Loader, &FrameRates);
    if (!report.FrameRateStatus.empty()) {
        Status->SetPanelText(4, QString::fromStdString(report.FrameRateStatus));
    }
    ResyncIndex();
    return report;
}

}  // namespace orvalen
