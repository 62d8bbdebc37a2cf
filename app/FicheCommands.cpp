#include <QLabel>
#include <QSlider>

#include "app/Fiche.h"
#include "app/FontMapping.h"
#include "app/StatusBar.h"
#include "app/VideoPanel.h"

namespace orvalen {

void TFiche::OuvrirClick() {}

void TFiche::FermerClick() {}

void TFiche::QuitterClick() {}

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

void TFiche::AvanceRapideClick() {}

void TFiche::RetourClick() {}

void TFiche::FullscreenClick() {
    if (!MovieOpen) return;
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

void TFiche::PopupMenuPopup() {}

void TFiche::PopupLecPauseClick() {}

void TFiche::PopupStopClick() {}

void TFiche::PopupFullscreenClick() {}

void TFiche::BarreOutilClick() {}

void TFiche::StateBarreClick() {}

void TFiche::SndButtonClick() {}

void TFiche::Polices1Click() {}

void TFiche::Apropos1Click() {}

void TFiche::ConfigurationClick() {}

void TFiche::FitToVideo() {
    int32_t width = 0;
    int32_t height = 0;
    if (!Media.GetVideoSize(width, height)) return;
    const QString size = QString("%1 * %2").arg(width).arg(height);
    Displayer->resize(width, height + 15);
    const int32_t fontSize = FontPointSize(SousTitre->font());
    if (fontSize > 8) LowPanel->resize(LowPanel->width(), 5 * fontSize);
    SetWindowHeight(Displayer->height() + Displayer->y() + LowPanel->height() + 30);
    SetWindowWidth(width + 20);
    Status->SetPanelText(0, size);
}

}  // namespace orvalen
