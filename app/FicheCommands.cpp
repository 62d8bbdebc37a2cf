#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QSlider>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "app/AboutBox.h"
#include "app/ConfigDialog.h"
#include "app/Fiche.h"
#include "app/FileOpenDialog.h"
#include "app/FontMapping.h"
#include "app/FullScreenView.h"
#include "app/ImageList.h"
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

void TFiche::OuvrirClick() {
    FileOpenDialog dialog(OpenDialog);
    dialog.SetFilter(kVideoFilter);
    if (!dialog.Execute()) return;
    const QString chosen = dialog.FileName();
    setWindowTitle(QStringLiteral("Orvalen - ") + chosen);
    if (MovieOpen) FermerClick();
    const std::string path = QFile::encodeName(chosen).toStdString();
    OpenAndPlay(path);
}

void TFiche::FermerClick() {
    Media.CloseAllDevices();
    MovieOpen = false;
    FrameRate = 0;
    MoviePath.clear();
    for (int panel = 0; panel < StatusBar::PanelCount; ++panel) Status->SetPanelText(panel, {});
    Slider->setValue(0);
}

void TFiche::QuitterClick() {
    QCoreApplication::quit();
}

void TFiche::LectureClick() {
    if (MovieOpen) {
        Media.PlayMovie();
    } else {
        OuvrirClick();
    }
}

void TFiche::PauseClick() {
    if (MovieOpen) Media.PauseMovie();
}

void TFiche::StopClick() {
    if (!MovieOpen) return;
    Media.StopMovie();
    Media.ShowVideoWindow();
    Slider->setValue(0);
    ResyncIndex();
}

void TFiche::AvanceRapideClick() {
    if (MovieOpen) Media.PlayFast();
}

void TFiche::RetourClick() {
    if (!MovieOpen) return;
    Media.BackOneMinute();
    ResyncIndex();
}

// Its shortcut, Alt+Enter, may reach the main window while the film covers the screen: the
// command then returns to the window.
void TFiche::FullscreenClick() {
    if (!MovieOpen) return;
    if (ScreenDC->isVisible()) {
        LeaveFullScreen();
        return;
    }
    Media.PlayFullScreen();
    FullScreenPlaying = true;
    ShowFullScreen();
}

void TFiche::SliderChange() {
    if (!SliderMovedByUser) return;
    Media.SeekTo(Slider->value() * 1000);
    ResyncIndex();
    Media.PlayMovie();
}

void TFiche::PopupMenuPopup() {
    if (Status->PanelText(1) == QLatin1String("playing")) {
        PopupLecPause->setText(QStringLiteral("Pause"));
        SetImageIndex(PopupLecPause, kImagePause);
    } else {
        PopupLecPause->setText(QStringLiteral("Lecture"));
        SetImageIndex(PopupLecPause, kImagePlay);
    }
}

void TFiche::PopupLecPauseClick() {
    if (ImageIndex(PopupLecPause) == kImagePause) {
        PauseClick();
    } else {
        LectureClick();
    }
}

void TFiche::PopupStopClick() {
    StopClick();
}

void TFiche::PopupFullscreenClick() {
    FullscreenClick();
}

// A checkable menu item has already flipped its own mark when its command runs, so the
// current state is read from the bar, which always agrees with the mark before the click.
void TFiche::BarreOutilClick() {
    const bool show = ToolBar->isHidden();
    BarreOutil->setChecked(show);
    ToolBar->setVisible(show);
}

void TFiche::StateBarreClick() {
    const bool show = Status->isHidden();
    StateBarre->setChecked(show);
    Status->setVisible(show);
}

void TFiche::SndButtonClick() {
    if (!MovieOpen) return;
    if (ImageIndex(SndButton) == kImageSoundOn) {
        SetImageIndex(SndButton, kImageSoundOff);
        Media.SoundOff();
    } else {
        SetImageIndex(SndButton, kImageSoundOn);
        Media.SoundOn();
    }
}

void TFiche::Polices1Click() {
    QFont start = FontFromLogFont(FullScreenFont);
    start.setPointSize(std::max(FontPointSize(SousTitre->font()), 1));
    const std::optional<FontChoice> choice = AskSubtitleFont(this, {start, SousTitreColor()});
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
    ScreenDC->SetBandFont(FontFromLogFont(FullScreenFont));
    ScreenDC->SetTextColor(choice->Color);

    QFont label = SousTitre->font();
    label.setFamilies({QString::fromStdString(FaceNameOf(FullScreenFont)), DefaultSansFamily()});
    SetSousTitreColor(choice->Color);
    SetFontHeight(label, FullScreenFont.Height);
    SetFontPitch(label, FullScreenFont.PitchAndFamily);
    const int32_t size = static_cast<int32_t>(std::min<int64_t>(tenths / 10, 1000));
    SetFontPointSize(label, size);

    label.setItalic(FullScreenFont.Italic != 0);
    label.setUnderline(FullScreenFont.Underline != 0);
    label.setStrikeOut(FullScreenFont.StrikeOut != 0);
    label.setBold(FullScreenFont.Weight > 600);
    SousTitre->setFont(label);

    if (size > 8) LowPanel->resize(LowPanel->width(), 5 * size);
    SetWindowHeight(Displayer->height() + Displayer->y() + LowPanel->height() + 30);
    LayOutClient();
}

void TFiche::Apropos1Click() {
    if (!AboutBox) AboutBox = new TAboutBox(this);
    AboutBox->exec();
}

void TFiche::ConfigurationClick() {
    if (ConfigBox) ConfigBox->exec();
}

// Without a video size (a file with no picture) the picture area keeps its size and the size
// panel stays empty; the subtitle area and the window still follow the font.
void TFiche::FitToVideo() {
    int32_t width = 0;
    int32_t height = 0;
    const bool sized = Media.GetVideoSize(width, height);
    if (sized) {
        Displayer->resize(std::clamp(width, 0, kMaxVideoSide),
                          std::clamp(height, 0, kMaxVideoSide) + 15);
    }
    const int32_t fontSize = FontPointSize(SousTitre->font());
    if (fontSize > 8) LowPanel->resize(LowPanel->width(), 5 * fontSize);
    SetWindowHeight(Displayer->height() + Displayer->y() + LowPanel->height() + 30);
    SetWindowWidth(Displayer->width() + 20);
    Status->SetPanelText(0, sized ? QString("%1 * %2").arg(width).arg(height) : QString());
}

}  // namespace orvalen
