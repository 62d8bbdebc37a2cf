#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/FileOpenDialog.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/SubtitleFontDialog.h"
#include "app/window/FontMapping.h"
#include "app/window/FullScreenView.h"
#include "app/window/ImageList.h"
#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
#include "discovery/FileKinds.h"
#include "playback/PictureFit.h"

namespace orvalen {

namespace {

// Bounds a size the device reports, so that no sum below can overflow.
constexpr int32_t kMaxVideoSide = 16384;

// The logical-font height the font chooser derives from a point size given in tenths, at the
// 96 pixels per inch the stored sizes assume.
int32_t HeightFromTenths(int64_t tenths) {
    return static_cast<int32_t>(-((tenths * 96 + 360) / 720));
}

}  // namespace

void MainWindow::OpenFilm() {
    FileOpenDialog dialog(ui_.OpenFileDialog);
    StartFirstUseBeside(ui_.OpenFileDialog, QFile::decodeName(film_.Path.c_str()));
    dialog.SetFilter(FilmFileFilter());
    if (!dialog.Execute()) return;
    OpenChosenFilm(dialog.FileName());
}

void MainWindow::OpenChosenFilm(const QString& path) {
    setWindowTitle(QStringLiteral("Orvalen - ") + path);
    if (film_.Open) CloseFilm();
    OpenAndPlay(QFile::encodeName(path).toStdString());
}

void MainWindow::DropFiles(const QList<QUrl>& files, bool asSecond) {
    const QString path =
        files.size() == 1 && files[0].isLocalFile() ? files[0].toLocalFile() : QString();
    const std::string bytes = QFile::encodeName(path).toStdString();
    // A directory or a device is no film, whatever its name.
    switch (QFileInfo(path).isFile() ? KindOfFile(bytes) : FileKind::Other) {
        case FileKind::Film:
            OpenChosenFilm(path);
            break;
        case FileKind::Subtitle:
            if (asSecond)
                LoadSecondSubtitleFile(bytes);
            else
                LoadSubtitleFile(bytes, subtitles_.Track);
            break;
        case FileKind::Other:
            ShowMessage(this, "Sorry ! This function is not implemented yet.");
            break;
    }
}

void MainWindow::CloseFilm() {
    media_.CloseAllDevices();
    film_.Close();
    EnableFilmItems();
    for (int panel = 0; panel < StatusBar::PanelCount; ++panel)
        ui_.StatusArea->SetPanelText(static_cast<StatusPanel>(panel), {});
    ui_.PositionSlider->setValue(0);
}

void MainWindow::Quit() {
    QCoreApplication::quit();
}

void MainWindow::Play() {
    if (!film_.Open) {
        OpenFilm();
        return;
    }
    // A film that has played to its end stands there, where playing does not move it: Play
    // starts it again from the beginning.
    if (media_.AtEnd()) {
        media_.SeekTo(0);
        ResyncIndex();
    }
    media_.PlayMovie();
}

void MainWindow::Pause() {
    if (film_.Open) media_.PauseMovie();
}

void MainWindow::Stop() {
    if (!film_.Open) return;
    media_.StopMovie();
    media_.ShowVideoWindow();
    ui_.PositionSlider->setValue(0);
    ResyncIndex();
}

void MainWindow::FastForward() {
    if (film_.Open) media_.PlayFast();
}

void MainWindow::BackOneMinute() {
    if (!film_.Open) return;
    media_.BackOneMinute();
    ResyncIndex();
}

// Its shortcut, Alt+Enter, may reach the main window while the film covers the screen: the
// command then returns to the window.
void MainWindow::ToggleFullScreen() {
    if (!film_.Open) return;
    if (ui_.FullScreenWindow->isVisible()) {
        LeaveFullScreen();
        return;
    }
    media_.PlayFullScreen();
    view_.FullScreenPlaying = true;
    ShowFullScreen();
}

// Every move of the user's (click, drag, key, wheel) seeks at once; the clock's own moves of the
// slider raise no action, so they never seek. Qt repeats the action of a click once the value
// has followed: that repeat moves nothing and seeks nothing.
void MainWindow::OnPositionSliderMoved() {
    const int target = ui_.PositionSlider->sliderPosition();
    if (target == ui_.PositionSlider->value()) return;
    media_.SeekTo(target * 1000);
    ResyncIndex();
    media_.PlayMovie();
}

// The first popup item offers Pause while the film plays and Play otherwise ("Lecture", as
// the tool bar names it).
void MainWindow::UpdatePopupMenu() {
    view_.PopupOffersPause = media_.GetMode() == "playing";
    QAction* item = ui_.Action(WindowAction::PopupPlayPause);
    item->setText(view_.PopupOffersPause ? QStringLiteral("Pause") : QStringLiteral("Lecture"));
    SetGlyph(item, view_.PopupOffersPause ? Glyph::Pause : Glyph::Play);
}

void MainWindow::TogglePlayPause() {
    if (view_.PopupOffersPause) {
        Pause();
    } else {
        Play();
    }
}

// A checkable menu item has already flipped its own mark when its command runs, so the
// current state is read from the bar, which always agrees with the mark before the click.
void MainWindow::ToggleToolBar() {
    const bool show = ui_.ToolBar->isHidden();
    ui_.Action(WindowAction::ToolBar)->setChecked(show);
    ui_.ToolBar->setVisible(show);
}

void MainWindow::ToggleStatusBar() {
    const bool show = ui_.StatusArea->isHidden();
    ui_.Action(WindowAction::StatusBar)->setChecked(show);
    ui_.StatusArea->setVisible(show);
    FitSubtitleLabel();
}

void MainWindow::ToggleMute() {
    if (!film_.Open) return;
    view_.Muted = !view_.Muted;
    SetGlyph(ui_.Action(WindowAction::MuteButton), view_.Muted ? Glyph::SoundOff : Glyph::SoundOn);
    if (view_.Muted) {
        media_.SoundOff();
    } else {
        media_.SoundOn();
    }
}

void MainWindow::ChooseSubtitleFont() {
    // The dialog starts from the font the label shows, in points.
    QFont start = view_.ChosenLabelFont;
    start.setFamily(QFontInfo(start).family());
    start.setPointSize(std::max(FontPointSize(view_.ChosenLabelFont), 1));
    const FontChoice current{start, SubtitleLabelColor()};
    const std::optional<FontChoice> choice = AskSubtitleFont(this, current);
    // OK without a change keeps the font as it is, its stored weight and height included.
    if (!choice || SameFontChoice(*choice, current)) return;

    const QFont& chosen = choice->Font;
    const int64_t tenths = chosen.pointSizeF() > 0 ? std::llround(chosen.pointSizeF() * 10)
                                                   : int64_t{10} * FontPointSize(chosen);
    view_.FullScreenFont = SubtitleFontOf(chosen, HeightFromTenths(tenths));
    ui_.FullScreenWindow->SetTextColor(choice->Color);

    QFont label = view_.ChosenLabelFont;
    SetSubtitleLabelColor(choice->Color);
    StyleLabelFont(view_.FullScreenFont, label);
    const int32_t size = static_cast<int32_t>(std::min<int64_t>(tenths / 10, 1000));
    SetFontPointSize(label, size);
    SetChosenLabelFont(label);
    // The configuration dialog's sample gets the font with its new style, so that it shows
    // the font just chosen rather than the previous style.
    if (dialogs_.Configuration) dialogs_.Configuration->ShowFontSample(label, choice->Color);

    if (size > 8) ui_.SubtitlePanel->resize(ui_.SubtitlePanel->width(), 5 * size);
    SetWindowHeight(ui_.VideoArea->height() + ui_.VideoArea->y() + ui_.SubtitlePanel->height() +
                    30);
    LayOutClient();
    // A taller subtitle panel leaves less room for the picture of the film.
    if (film_.Open) FitToVideo();
}

void MainWindow::ShowAbout() {
    if (dialogs_.About) dialogs_.About->exec();
}

void MainWindow::ShowConfiguration() {
    if (dialogs_.Configuration) dialogs_.Configuration->exec();
}

// Without a video size (a file with no picture) the picture area keeps its size and the size
// panel stays empty; the subtitle area and the window still follow the font. The window is
// never larger than the screen's available area: a larger picture is scaled down, keeping its
// shape, so that the subtitles below it stay on the screen.
void MainWindow::FitToVideo() {
    int32_t width = 0;
    int32_t height = 0;
    const bool sized = media_.GetVideoSize(width, height);
    FitSubtitlePanel();
    if (sized) {
        const QSize room = PictureRoom();
        const PictureSize picture =
            FitPicture(std::clamp(width, 0, kMaxVideoSide), std::clamp(height, 0, kMaxVideoSide),
                       room.width(), room.height());
        ui_.VideoArea->resize(picture.Width, picture.Height + 15);
    }
    // The label's size follows the picture just fitted, and the panel follows the label.
    ApplySubtitleScale();
    FitSubtitlePanel();
    SetWindowHeight(ui_.VideoArea->height() + ui_.VideoArea->y() + ui_.SubtitlePanel->height() +
                    30);
    SetWindowWidth(ui_.VideoArea->width() + 20);
    KeepOnScreen();
    ui_.StatusArea->SetPanelText(StatusPanel::PictureSize,
                                 sized ? QString("%1 * %2").arg(width).arg(height) : QString());
}

QSize MainWindow::OutsideClientArea() const {
    const QSize frame = frameGeometry().size() - geometry().size();
    const int menu = menuBar()->isHidden() ? 0 : menuBar()->sizeHint().height();
    return {frame.width(), frame.height() + menu};
}

// The client area is the picture plus 16 pixels wide, and the picture plus its 15 pixels below,
// the space above it and the subtitle panel high (the sizing rules above).
QSize MainWindow::PictureRoom() const {
    const QRect available = screen()->availableGeometry();
    const QSize outside = OutsideClientArea();
    return {available.width() - outside.width() - (20 - FrameAllowanceWidth),
            available.height() - outside.height() - ui_.VideoArea->y() - 15 -
                ui_.SubtitlePanel->height()};
}

void MainWindow::KeepOnScreen() {
    const QRect available = screen()->availableGeometry();
    const QSize outer = ui_.ClientArea->size() + OutsideClientArea();
    const QPoint at = pos();
    const int x = std::clamp(at.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(at.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    if (x != at.x() || y != at.y()) move(x, y);
}

}  // namespace orvalen
