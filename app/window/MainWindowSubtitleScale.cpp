#include <QFontInfo>
#include <QLabel>
#include <QScreen>

#include "app/window/FullScreenView.h"
#include "app/window/MainWindow.h"
#include "app/window/VideoPanel.h"
#include "playback/SubtitleScale.h"

namespace orvalen {

void MainWindow::SetChosenLabelFont(const QFont& font) {
    view_.ChosenLabelFont = font;
    ApplySubtitleScale();
}

void MainWindow::ApplySubtitleScale() {
    QFont label = view_.ChosenLabelFont;
    QFont band = BandFont(view_.FullScreenFont);
    ScreenRect bandRect = view_.FullScreenRect;
    int32_t width = 0;
    int32_t height = 0;
    if (CurrentSettings().ScaleWithPicture && film_.Open && media_.GetVideoSize(width, height)) {
        const int32_t windowed =
            ShownPictureHeight(width, height, ui_.VideoArea->width(), ui_.VideoArea->height());
        label.setPixelSize(ScaledSubtitlePixels(QFontInfo(label).pixelSize(), windowed));
        const QRect screen = this->screen()->geometry();
        const int32_t fullScreen =
            ShownPictureHeight(width, height, screen.width(), screen.height());
        const int32_t chosenBand = QFontInfo(band).pixelSize();
        const int32_t scaledBand = ScaledSubtitlePixels(chosenBand, fullScreen);
        band.setPixelSize(scaledBand);
        bandRect = GrownBand(bandRect, chosenBand, scaledBand, screen.top());
    }
    ui_.FullScreenWindow->SetBand(bandRect);
    ui_.FullScreenWindow->SetBandFont(band);
    if (label == ui_.SubtitleLabel->font()) return;
    ui_.SubtitleLabel->setFont(label);
    LayOutClient();
    // The label lays its text out again in the new size.
    const std::string text = shown_.Text;
    shown_ = {};
    ShowSubtitleText(text);
}

void MainWindow::FitSubtitlePanel() {
    const int32_t fontSize = FontPointSize(ui_.SubtitleLabel->font());
    if (fontSize > 8) {
        ui_.SubtitlePanel->resize(ui_.SubtitlePanel->width(), 5 * fontSize + SecondLineHeight());
    }
}

}  // namespace orvalen
