#include <QFile>
#include <QFileDialog>
#include <QLocale>

#include "app/dialogs/FileOpenDialog.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/ReferenceDialog.h"
#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"
#include "resync/Save.h"
#include "subtitles/DisplayText.h"
#include "subtitles/SubtitleFormats.h"

namespace orvalen {

void MainWindow::StartResynchronisation() {
    const std::string refusal =
        EditSession::ResyncRefusal(film_.Open, subtitles_.FormatUnknown, subtitles_.Track);
    if (!refusal.empty()) {
        ShowMessage(this, QString::fromStdString(refusal), kResyncRefusalCaption);
        return;
    }
    Stop();
    if (!dialogs_.Reference) return;
    const std::optional<ResyncQuad> numbers = dialogs_.Reference->Choose(subtitles_.Track);
    if (!numbers) return;
    // Checked before the film plays: a refusal leaves it stopped at its start, as Cancel does.
    const EditStep step = subtitles_.Editing.StartResync(subtitles_.Track, *numbers);
    if (!step.Done) {
        ShowMessage(this, QString::fromStdString(step.Message), kResyncRefusalCaption);
        return;
    }
    Play();
    ShowEditStep(step);
}

void MainWindow::StartMerge() {
    if (subtitles_.Editing.MergeNeedsConfirmation() &&
        !AskYesNo(this, kMergeConfirmationText, kMergeConfirmationCaption)) {
        return;
    }
    subtitles_.Editing.CancelResync();
    FileOpenDialog dialog(ui_.OpenFileDialog);
    dialog.SetFilter(SubtitleFileFilter(CurrentSettings().SubtitleFormat));
    dialog.SetFileName(QString());
    if (!dialog.Execute()) return;
    const std::string path = QFile::encodeName(dialog.FileName()).toStdString();
    const MergeLoad load = LoadMergeSubtitles(path, film_, subtitles_, &frameRates_);
    if (!load.Report.FrameRateStatus.empty()) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status,
                                     QString::fromStdString(load.Report.FrameRateStatus));
    }
    const EditStep step =
        subtitles_.Editing.BeginMerge(load, subtitles_.Track, subtitles_.MergeTrack);
    if (!step.Done) {
        ShowMessage(this, QString::fromStdString(step.Message));
        return;
    }
    media_.SeekTo(step.SeekTo.value_or(0));
    ResyncIndex();
    ShowEditStep(step);
    media_.PlayMovie();
}

void MainWindow::SaveSubtitles() {
    QFileDialog* dialog = ui_.SaveFileDialog;
    // The name is written as typed (no extension added) and an existing file is replaced
    // without asking; the dialog offers the previous save's name.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QString());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
    const QString chosen = dialog->selectedFiles().first();
    dialog->selectFile(chosen);
    const SaveOutcome outcome =
        SaveTrack(subtitles_.Track, QFile::encodeName(chosen).toStdString());
    if (!outcome.Ok) ShowError(this, QString::fromStdString(outcome.Message));
}

void MainWindow::OnSpaceBar() {
    const EditStep step =
        subtitles_.Editing.PressSpace(media_.GetPosition(), subtitles_.Track, subtitles_.MergeTrack,
                                      locale().decimalPoint().toStdString());
    ShowEditStep(step);
}

void MainWindow::PreviewKey(char& key) {
    // The key then goes on to the focused control as usual.
    if (key == ' ') OnSpaceBar();
}

void MainWindow::ShowEditStep(const EditStep& step) {
    if (step.Status) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status, QString::fromStdString(DisplayText(
                                                              *step.Status, step.StatusEncoding)));
    }
    if (!step.Message.empty()) ShowMessage(this, QString::fromStdString(step.Message));
}

}  // namespace orvalen
