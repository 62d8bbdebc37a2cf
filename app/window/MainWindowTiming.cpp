#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include "app/window/FullScreenView.h"
#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"
#include "app/window/SubtitleListWindow.h"
#include "app/window/VideoPanel.h"
#include "playback/SubtitleLines.h"

namespace orvalen {

namespace {

constexpr int32_t kSmallStepMs = 100;
constexpr int32_t kLargeStepMs = 1000;
constexpr int kTimingMessageMs = 2000;

}  // namespace

void MainWindow::ShowSubtitlesEarlier() {
    if (film_.Open) ShowTimingChange(subtitles_.Offset.MoveBy(subtitles_.Track, -kSmallStepMs));
}

void MainWindow::ShowSubtitlesLater() {
    if (film_.Open) ShowTimingChange(subtitles_.Offset.MoveBy(subtitles_.Track, kSmallStepMs));
}

void MainWindow::ShowSubtitlesMuchEarlier() {
    if (film_.Open) ShowTimingChange(subtitles_.Offset.MoveBy(subtitles_.Track, -kLargeStepMs));
}

void MainWindow::ShowSubtitlesMuchLater() {
    if (film_.Open) ShowTimingChange(subtitles_.Offset.MoveBy(subtitles_.Track, kLargeStepMs));
}

void MainWindow::StartNextSubtitleNow() {
    if (!film_.Open) return;
    const int32_t pos = media_.GetPosition();
    const int32_t next = NextLine(subtitles_.Track, pos, view_.ShownLine);
    ShowTimingChange(subtitles_.Offset.StartAt(subtitles_.Track, next, pos));
}

void MainWindow::StartPreviousSubtitleNow() {
    if (!film_.Open) return;
    const int32_t pos = media_.GetPosition();
    const int32_t previous = LastStartedLine(subtitles_.Track, pos);
    ShowTimingChange(subtitles_.Offset.StartAt(subtitles_.Track, previous, pos));
}

void MainWindow::ResetTiming() {
    if (film_.Open) ShowTimingChange(subtitles_.Offset.MoveTo(subtitles_.Track, 0));
}

void MainWindow::ShowTimingChange(int32_t change) {
    if (change != 0) {
        view_.OffsetUnsaved = true;
        ResyncIndex();
        ui_.SubtitleList->TimesMoved();
    }
    // Shown also when nothing moved, so that a key at the limit still answers.
    const QString message = QStringLiteral("Subtitle delay: ") +
                            QString::fromStdString(DelayText(subtitles_.Offset.Ms()));
    if (!ui_.TimingMessageTimer->isActive()) {
        view_.MessageBeforeTiming = ui_.StatusArea->PanelText(StatusPanel::Status);
    }
    ui_.StatusArea->SetPanelText(StatusPanel::Status, message);
    ui_.VideoArea->SetOverlayText(message);
    ui_.FullScreenWindow->SetOverlayText(message);
    ui_.TimingMessageTimer->start(kTimingMessageMs);
}

void MainWindow::HideTimingMessage() {
    ui_.TimingMessageTimer->stop();
    // A resynchronisation's line to mark comes back; a newer message stays.
    if (ui_.StatusArea->PanelText(StatusPanel::Status) == ui_.VideoArea->OverlayText()) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status, view_.MessageBeforeTiming);
    }
    ui_.VideoArea->SetOverlayText({});
    ui_.FullScreenWindow->SetOverlayText({});
    RememberTrackOffset();
}

void MainWindow::RememberTrackOffset() {
    if (!view_.OffsetUnsaved) return;
    view_.OffsetUnsaved = false;
    const std::string problem = ::orvalen::RememberTrackOffset(subtitles_, OffsetStatePath());
    if (!problem.empty()) {
        ui_.StatusArea->SetPanelText(
            StatusPanel::Status,
            QStringLiteral("Subtitle delay not kept: ") + QString::fromStdString(problem));
    }
}

void MainWindow::RestoreTrackOffset() {
    const OffsetRecall recall = ::orvalen::RestoreTrackOffset(subtitles_, OffsetStatePath());
    if (recall.OffsetMs) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status,
                                     QString::fromStdString(RestoredDelayText(*recall.OffsetMs)));
    } else if (!recall.Problem.empty()) {
        ui_.StatusArea->SetPanelText(
            StatusPanel::Status,
            QStringLiteral("Subtitle delays not read: ") + QString::fromStdString(recall.Problem));
    }
}

void MainWindow::GoToPreviousSubtitle() {
    if (film_.Open) {
        GoToSubtitle(PreviousLine(subtitles_.Track, media_.GetPosition(), view_.ShownLine));
    }
}

void MainWindow::GoToNextSubtitle() {
    if (film_.Open) GoToSubtitle(NextLine(subtitles_.Track, media_.GetPosition(), view_.ShownLine));
}

void MainWindow::RepeatSubtitle() {
    if (film_.Open) {
        GoToSubtitle(CurrentLine(subtitles_.Track, media_.GetPosition(), view_.ShownLine));
    }
}

void MainWindow::GoToSubtitle(int32_t index) {
    if (!film_.Open || index < 0 || index >= subtitles_.Track.Count) return;
    media_.SeekTo(std::max(subtitles_.Track.StartMs[static_cast<size_t>(index)], 0));
    ResyncIndex();
}

void MainWindow::CopySubtitle() {
    if (!film_.Open || view_.ShownLine < 0 || view_.ShownLine >= subtitles_.Track.Count) return;
    const std::string& text = subtitles_.Track.Texts[static_cast<size_t>(view_.ShownLine)];
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(PlainScreenText(subtitles_, text, "\n")));
}

}  // namespace orvalen
