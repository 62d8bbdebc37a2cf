#include <QLocale>

#include "app/dialogs/MessageBox.h"
#include "app/window/MainWindow.h"
#include "app/window/SoundSyncRunner.h"
#include "app/window/StatusBar.h"
#include "autosync/AutoSync.h"

namespace orvalen {

namespace {

constexpr char kSoundSyncCaption[] = "Synchronise with the sound";

}  // namespace

void MainWindow::SynchroniseWithSound() {
    if (!film_.Open || subtitles_.FormatUnknown || subtitles_.Track.Count == 0) {
        ShowMessage(this, kResyncRefusalText, kResyncRefusalCaption);
        return;
    }
    if (!soundSync_) soundSync_ = new SoundSyncRunner(this);
    // The window stays usable: a track changed meanwhile is not overwritten with a result
    // computed for the old one.
    std::vector<int32_t> analysedStarts = subtitles_.Track.StartMs;
    soundSync_->Start(film_.Path, subtitles_.Track, [this, analysedStarts](const SoundSync& sync) {
        if (subtitles_.Track.StartMs != analysedStarts) return;
        if (!sync.Error.empty()) {
            ShowMessage(this,
                        QString::fromStdString("The subtitles cannot be synchronised with the "
                                               "sound: " +
                                               sync.Error + "."),
                        kSoundSyncCaption);
            return;
        }
        if (!sync.Confident()) {
            if (AskYesNo(this, kLowConfidenceText, kSoundSyncCaption)) StartResynchronisation();
            return;
        }
        undo_.Keep(subtitles_.Track);
        ApplySoundSync(subtitles_.Track, sync.Result);
        TrackChanged();
        ResyncIndex();
        ui_.StatusArea->SetPanelText(
            StatusPanel::Status,
            QString::fromStdString(SoundSyncStatus(sync, locale().decimalPoint().toStdString())));
    });
}

void MainWindow::UndoSynchronisation() {
    if (!undo_.Restore(subtitles_.Track)) return;
    TrackChanged();
    ResyncIndex();
    ui_.StatusArea->SetPanelText(StatusPanel::Status, QStringLiteral("Synchronisation undone"));
}

}  // namespace orvalen
