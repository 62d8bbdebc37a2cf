#include <QLabel>
#include <QSlider>

#include "app/FullScreenView.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "playback/PlaybackClock.h"
#include "subtitles/DisplayText.h"

namespace orvalen {

void MainWindow::OnClockTick() {
    if (!film_.Open) return;
    const int32_t pos = media_.GetPosition();
    std::string_view text;
    if (!subtitles_.FormatUnknown) text = ChooseSubtitle(subtitles_.Track, pos, CurrentDelay());

    if (view_.FullScreenPlaying && !subtitles_.FormatUnknown) {
        // The window's own controls stay frozen while the film covers the screen.
        ui_.FullScreenWindow->DrawBandText(
            QString::fromStdString(DisplayText(text, subtitles_.Track.Encoding)));
        return;
    }

    ui_.StatusArea->SetPanelText(1, QString::fromStdString(media_.GetMode()));
    ui_.StatusArea->SetPanelText(3, QString::fromStdString(TimeText(pos)));
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
    if (text == shownText_ && subtitles_.Track.Encoding == shownEncoding_) return;
    shownText_.assign(text);
    shownEncoding_ = subtitles_.Track.Encoding;
    ui_.SubtitleLabel->setText(
        QString::fromStdString(DisplayText(text, subtitles_.Track.Encoding)));
    const int width = ui_.SubtitleLabel->width();
    ui_.SubtitleLabel->resize(width, std::max(ui_.SubtitleLabel->heightForWidth(width),
                                              ui_.SubtitleLabel->fontMetrics().height()));
}

int32_t MainWindow::CurrentDelay() const {
    return CurrentSettings().Delay;
}

}  // namespace orvalen
