#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

#include "app/dialogs/FileOpenDialog.h"
#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"
#include "app/window/StyledSubtitle.h"
#include "subtitles/SubtitleFormats.h"

namespace orvalen {

namespace {

constexpr int32_t kSecondOffsetStep = 100;

}  // namespace

void MainWindow::OpenSecondSubtitles() {
    FileOpenDialog dialog(ui_.OpenFileDialog);
    dialog.SetFilter(SubtitleFileFilter(CurrentSettings().SubtitleFormat));
    if (film_.Open)
        dialog.SetInitialDir(
            QFileInfo(QFile::decodeName(QByteArray::fromStdString(film_.Path))).absolutePath());
    dialog.SetFileName(QString());
    if (!dialog.Execute()) return;
    LoadSecondSubtitleFile(QFile::encodeName(dialog.FileName()).toStdString());
}

void MainWindow::LoadSecondSubtitleFile(const std::string& path) {
    const bool wasShown = subtitles_.Second.Loaded;
    const LoadReport report = LoadSecondSubtitles(path, film_, subtitles_, &frameRates_);
    if (!report.Opened && !report.OpenError.empty()) {
        ui_.StatusArea->SetPanelText(StatusPanel::Status, QString::fromStdString(report.OpenError));
    }
    ResyncSecondIndex(subtitles_.Second, media_.GetPosition());
    secondShown_.clear();
    bandSecondShown_.clear();
    ui_.SecondSubtitleLabel->clear();
    if (subtitles_.Second.Loaded && !wasShown) SetSecondLine(true);
}

void MainWindow::RemoveSecondSubtitles() {
    if (!subtitles_.Second.Loaded) return;
    subtitles_.Second.Reset();
    secondShown_.clear();
    bandSecondShown_.clear();
    SetSecondLine(false);
}

void MainWindow::SecondSubtitlesEarlier() {
    StepSecondOffset(-kSecondOffsetStep);
}

void MainWindow::SecondSubtitlesLater() {
    StepSecondOffset(kSecondOffsetStep);
}

void MainWindow::StepSecondOffset(int32_t step) {
    if (!subtitles_.Second.Loaded) return;
    ::orvalen::StepSecondOffset(subtitles_.Second, step);
    // The second track's own clock has jumped.
    ResyncSecondIndex(subtitles_.Second, media_.GetPosition());
    ui_.StatusArea->SetPanelText(
        StatusPanel::Status, QString::fromStdString(SecondOffsetText(subtitles_.Second.OffsetMs)));
}

void MainWindow::FillSecondSubtitlesMenu(QMenu* menu) {
    menu->clear();
    for (const std::string& path : subtitles_.FoundFiles) {
        QString caption = QFile::decodeName(QByteArray::fromStdString(path));
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* item = menu->addAction(caption);
        connect(item, &QAction::triggered, this, [this, path] { LoadSecondSubtitleFile(path); });
    }
    if (menu->isEmpty())
        menu->addAction(QStringLiteral("(no other file found)"))->setEnabled(false);
}

int MainWindow::SecondLineHeight() const {
    if (!subtitles_.Second.Loaded) return 0;
    return QFontMetrics(SecondFont(ui_.SubtitleLabel->font())).height();
}

void MainWindow::SetSecondLine(bool shown) {
    ui_.SecondSubtitleLabel->setFont(SecondFont(ui_.SubtitleLabel->font()));
    ui_.SecondSubtitleLabel->setVisible(shown);
    const int line = QFontMetrics(ui_.SecondSubtitleLabel->font()).height();
    const int change = shown ? line : -line;
    ui_.SubtitlePanel->resize(ui_.SubtitlePanel->width(), ui_.SubtitlePanel->height() + change);
    SetWindowHeight(WindowHeight() + change);
    LayOutClient();
}

}  // namespace orvalen
