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
    if (!film_.Open) {
        ShowMessage(this, kMergeRefusalText, kMergeRefusalCaption);
        return;
    }
    if (subtitles_.Editing.MergeNeedsConfirmation() &&
        !AskYesNo(this, kMergeConfirmationText, kMergeConfirmationCaption)) {
        return;
    }
    subtitles_.Editing.CancelResync();
    FileOpenDialog dialog(ui_.OpenFileDialog);
    StartFirstUseBeside(ui_.OpenFileDialog, QFile::decodeName(film_.Path.c_str()));
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
    const std::string& beside = subtitles_.TrackPath.empty() ? film_.Path : subtitles_.TrackPath;
    StartFirstUseBeside(dialog, QFile::decodeName(beside.c_str()));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
    const QString chosen = dialog->selectedFiles().first();
    NoteFileChosen(dialog);
    dialog->selectFile(chosen);
    const SaveOutcome outcome =
        SaveTrack(subtitles_.Track, QFile::encodeName(chosen).toStdString());
    if (!outcome.Ok) ShowError(this, QString::fromStdString(outcome.Message));
}

void MainWindow::SaveSubtitlesAs() {
    QFileDialog* dialog = ui_.SaveAsFileDialog;
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
    const QString chosen = dialog->selectedFiles().first();
    dialog->selectFile(chosen);
    std::string path = QFile::encodeName(chosen).toStdString();
    const SaveFormatRow* format = SaveFormatOfPath(path);
    if (!format) {
        const qsizetype type = dialog->nameFilters().indexOf(dialog->selectedNameFilter());
        format = &SaveFormats()[type > 0 ? static_cast<size_t>(type) : 0];
        // A name without extension gets the chosen type's; another extension stays as typed.
        if (FileExtension(path).empty()) path += "." + std::string(format->Name);
    }
    int32_t frameRate = film_.FrameRate;
    if (frameRate <= 0 && film_.Open) frameRate = frameRates_.GetFrameRate(film_.Path);
    const SaveOutcome outcome =
        SaveTrackAs(subtitles_.Track, path, format->Format, {subtitles_.Markup, frameRate});
    if (!outcome.Ok) ShowError(this, QString::fromStdString(outcome.Message));
}

void MainWindow::OnSpaceBar() {
    // A press may complete the resynchronisation: the track before it is kept for Undo.
    std::optional<SubtitleTrack> before;
    if (subtitles_.Editing.ResyncActive()) before = subtitles_.Track;
    const EditStep step =
        subtitles_.Editing.PressSpace(media_.GetPosition(), subtitles_.Track, subtitles_.MergeTrack,
                                      locale().decimalPoint().toStdString());
    if (step.TrackChanged) before ? undo_.Keep(std::move(*before)) : undo_.Forget();
    ShowEditStep(step);
}

void MainWindow::PreviewKey(char& key) {
    // The key then goes on to the focused control as usual.
    if (key == ' ') OnSpaceBar();
}

void MainWindow::ShowEditStep(const EditStep& step) {
    if (step.TrackChanged) TrackChanged();
    if (step.Status) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status, QString::fromStdString(DisplayText(
                                                              *step.Status, step.StatusEncoding)));
    }
    if (!step.Message.empty()) ShowMessage(this, QString::fromStdString(step.Message));
}

}  // namespace orvalen
