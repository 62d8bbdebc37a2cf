#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QSlider>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "app/AboutDialog.h"
#include "app/ConfigDialog.h"
#include "app/FileOpenDialog.h"
#include "app/FontMapping.h"
#include "app/FullScreenView.h"
#include "app/ImageList.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "app/SubtitleFontDialog.h"
#include "app/VideoPanel.h"

namespace orvalen {

namespace {

constexpr const char* kVideoFilter = "Video Files (*.avi,*.mpg,*.divx)|*.avi;*.mpg;*.divx";
constexpr int kImagePause = 1;
constexpr int kImagePlay = 2;
constexpr int kImageSoundOn = 15;
constexpr int kImageSoundOff = 16;
// Bounds a size the device reports, so that no sum below can overflow.
constexpr int32_t kMaxVideoSide = 16384;

// The logical-font height the font chooser derives from a point size given in tenths, at the
// 96 pixels per inch the stored sizes assume.
int32_t HeightFromTenths(int64_t tenths) {
    return static_cast<int32_t>(-((tenths * 96 + 360) / 720));
}

}  // namespace

void MainWindow::OpenFilm() {
    FileOpenDialog dialog(OpenFileDialog);
    dialog.SetFilter(kVideoFilter);
    if (!dialog.Execute()) return;
    const QString chosen = dialog.FileName();
    setWindowTitle(QStringLiteral("Orvalen - ") + chosen);
    if (MovieOpen) CloseFilm();
    const std::string path = QFile::encodeName(chosen).toStdString();
    OpenAndPlay(path);
}

void MainWindow::CloseFilm() {
    Media.CloseAllDevices();
    MovieOpen = false;
    FrameRate = 0;
    MoviePath.clear();
    for (int panel = 0; panel < StatusBar::PanelCount; ++panel) StatusArea->SetPanelText(panel, {});
    PositionSlider->setValue(0);
}

void MainWindow::Quit() {
    QCoreApplication::quit();
}

void MainWindow::Play() {
    if (MovieOpen) {
        Media.PlayMovie();
    } else {
        OpenFilm();
    }
}

void MainWindow::Pause() {
    if (MovieOpen) Media.PauseMovie();
}

void MainWindow::Stop() {
    if (!MovieOpen) return;
    Media.StopMovie();
    Media.ShowVideoWindow();
    PositionSlider->setValue(0);
    ResyncIndex();
}

void MainWindow::FastForward() {
    if (MovieOpen) Media.PlayFast();
}

void MainWindow::BackOneMinute() {
    if (!MovieOpen) return;
    Media.BackOneMinute();
    ResyncIndex();
}

// Its shortcut, Alt+Enter, may reach the main window while the film covers the screen: the
// command then returns to the window.
void MainWindow::ToggleFullScreen() {
    if (!MovieOpen) return;
    if (FullScreenWindow->isVisible()) {
        LeaveFullScreen();
        return;
    }
    Media.PlayFullScreen();
    FullScreenPlaying = true;
    ShowFullScreen();
}

void MainWindow::OnPositionSliderMoved() {
    if (!SliderMovedByUser) return;
    Media.SeekTo(PositionSlider->value() * 1000);
    ResyncIndex();
    Media.PlayMovie();
}

void MainWindow::UpdatePopupMenu() {
    if (StatusArea->PanelText(1) == QLatin1String("playing")) {
        PopupPlayPauseItem->setText(QStringLiteral("Pause"));
        SetImageIndex(PopupPlayPauseItem, kImagePause);
    } else {
        PopupPlayPauseItem->setText(QStringLiteral("Lecture"));
        SetImageIndex(PopupPlayPauseItem, kImagePlay);
    }
}

void MainWindow::TogglePlayPause() {
    if (ImageIndex(PopupPlayPauseItem) == kImagePause) {
        Pause();
    } else {
        Play();
    }
}

void MainWindow::StopFromPopup() {
    Stop();
}

void MainWindow::ToggleFullScreenFromPopup() {
    ToggleFullScreen();
}

// A checkable menu item has already flipped its own mark when its command runs, so the
// current state is read from the bar, which always agrees with the mark before the click.
void MainWindow::ToggleToolBar() {
    const bool show = ToolBar->isHidden();
    ToolBarItem->setChecked(show);
    ToolBar->setVisible(show);
}

void MainWindow::ToggleStatusBar() {
    const bool show = StatusArea->isHidden();
    StatusBarItem->setChecked(show);
    StatusArea->setVisible(show);
}

void MainWindow::ToggleMute() {
    if (!MovieOpen) return;
    if (ImageIndex(MuteButton) == kImageSoundOn) {
        SetImageIndex(MuteButton, kImageSoundOff);
        Media.SoundOff();
    } else {
        SetImageIndex(MuteButton, kImageSoundOn);
        Media.SoundOn();
    }
}

void MainWindow::ChooseSubtitleFont() {
    QFont start = FontFromLogFont(FullScreenFont);
    start.setPointSize(std::max(FontPointSize(SubtitleLabel->font()), 1));
    const std::optional<FontChoice> choice = AskSubtitleFont(this, {start, SubtitleLabelColor()});
    if (!choice) return;

    const QFont& chosen = choice->Font;
    const int64_t tenths = chosen.pointSizeF() > 0 ? std::llround(chosen.pointSizeF() * 10)
                                                   : int64_t{10} * FontPointSize(chosen);
    SetFaceName(FullScreenFont, chosen.family().toStdString());
    FullScreenFont.Height = HeightFromTenths(tenths);
    FullScreenFont.Weight = chosen.weight();
    FullScreenFont.Italic = chosen.italic() ? 1 : 0;
    FullScreenFont.Underline = chosen.underline() ? 1 : 0;
    FullScreenFont.StrikeOut = chosen.strikeOut() ? 1 : 0;
    FullScreenFont.PitchAndFamily = static_cast<uint8_t>(FontPitch(chosen));
    FullScreenWindow->SetBandFont(FontFromLogFont(FullScreenFont));
    FullScreenWindow->SetTextColor(choice->Color);

    QFont label = SubtitleLabel->font();
    label.setFamilies({QString::fromStdString(FaceNameOf(FullScreenFont)), DefaultSansFamily()});
    SetSubtitleLabelColor(choice->Color);
    SetFontHeight(label, FullScreenFont.Height);
    SetFontPitch(label, FullScreenFont.PitchAndFamily);
    const int32_t size = static_cast<int32_t>(std::min<int64_t>(tenths / 10, 1000));
    SetFontPointSize(label, size);

    label.setItalic(FullScreenFont.Italic != 0);
    label.setUnderline(FullScreenFont.Underline != 0);
    label.setStrikeOut(FullScreenFont.StrikeOut != 0);
    label.setBold(FullScreenFont.Weight > 600);
    SubtitleLabel->setFont(label);

    if (size > 8) SubtitlePanel->resize(SubtitlePanel->width(), 5 * size);
    SetWindowHeight(VideoArea->height() + VideoArea->y() + SubtitlePanel->height() + 30);
    LayOutClient();
}

void MainWindow::ShowAbout() {
    if (dialogs_.About) dialogs_.About->exec();
}

void MainWindow::ShowConfiguration() {
    if (dialogs_.Configuration) dialogs_.Configuration->exec();
}

// Without a video size (a file with no picture) the picture area keeps its size and the size
// panel stays empty; the subtitle area and the window still follow the font.
void MainWindow::FitToVideo() {
    int32_t width = 0;
    int32_t height = 0;
    const bool sized = Media.GetVideoSize(width, height);
    if (sized) {
        VideoArea->resize(std::clamp(width, 0, kMaxVideoSide),
                          std::clamp(height, 0, kMaxVideoSide) + 15);
    }
    const int32_t fontSize = FontPointSize(SubtitleLabel->font());
    if (fontSize > 8) SubtitlePanel->resize(SubtitlePanel->width(), 5 * fontSize);
    SetWindowHeight(VideoArea->height() + VideoArea->y() + SubtitlePanel->height() + 30);
    SetWindowWidth(VideoArea->width() + 20);
    StatusArea->SetPanelText(0, sized ? QString("%1 * %2").arg(width).arg(height) : QString());
}

}  // namespace orvalen
