#include <QLabel>
#include <QSlider>

#include "app/desktop/DesktopSession.h"
#include "app/window/FullScreenView.h"
#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"
#include "app/window/StyledSubtitle.h"
#include "playback/PlaybackClock.h"

namespace orvalen {

void MainWindow::OnClockTick() {
    // Also without a film, so that closing one lets the screen blank again.
    if (desktop_) desktop_->Update();
    if (!film_.Open) return;
    const int32_t pos = media_.GetPosition();
    std::string_view text;
    if (!subtitles_.FormatUnknown) text = ChooseSubtitle(subtitles_.Track, pos, CurrentDelay());

    if (view_.FullScreenPlaying && !subtitles_.FormatUnknown) {
        // The window's own controls stay frozen while the film covers the screen.
        if (bandShown_.Shows(text, subtitles_)) return;
        bandShown_ = ShownSubtitle::Of(text, subtitles_);
        ui_.FullScreenWindow->DrawBandLines(
            BandLines(ScreenLines(subtitles_, text), ui_.FullScreenWindow->BandFont()));
        return;
    }

    ui_.StatusArea->SetPanelText(StatusPanel::Mode, QString::fromStdString(media_.GetMode()));
    ui_.StatusArea->SetPanelText(StatusPanel::Position, QString::fromStdString(TimeText(pos)));
    // A thumb the user holds stays where the user has it.
    if (ui_.PositionSlider->value() == view_.LastSliderPosition &&
        !ui_.PositionSlider->isSliderDown()) {
        // Cleared before the move, so that the change this move raises does not seek.
        view_.SliderMovedByUser = false;
        ui_.PositionSlider->setValue(pos / 1000);
    } else {
        view_.SliderMovedByUser = true;
    }
    view_.LastSliderPosition = ui_.PositionSlider->value();
    if (!subtitles_.FormatUnknown) ShowSubtitleText(text);
}

void MainWindow::ResyncIndex() {
    ::orvalen::ResyncIndex(subtitles_.Track, media_.GetPosition());
}

void MainWindow::ShowSubtitleText(std::string_view text) {
    if (shown_.Shows(text, subtitles_)) return;
    shown_ = ShownSubtitle::Of(text, subtitles_);
    ui_.SubtitleLabel->setText(LabelRichText(ScreenLines(subtitles_, text)));
    const int width = ui_.SubtitleLabel->width();
    ui_.SubtitleLabel->resize(width, std::max(ui_.SubtitleLabel->heightForWidth(width),
                                              ui_.SubtitleLabel->fontMetrics().height()));
}

void MainWindow::RefreshSubtitleText() {
    const std::string text = shown_.Text;
    ShowSubtitleText(text);
}

int32_t MainWindow::CurrentDelay() const {
    return CurrentSettings().Delay;
}

}  // namespace orvalen
