#include <QLabel>
#include <QSlider>

#include "app/FullScreenView.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "app/SubtitleText.h"
#include "playback/PlaybackClock.h"

namespace orvalen {

void MainWindow::OnClockTick() {
    if (!MovieOpen) return;
    const int32_t pos = Media.GetPosition();
    std::string_view text;
    if (!SubtitleFormatUnknown) text = ChooseSubtitle(Track, pos, CurrentDelay());

    if (FullScreenPlaying && !SubtitleFormatUnknown) {
        // The window's own controls stay frozen while the film covers the screen.
        FullScreenWindow->DrawBandText(DisplayText(text, Track.Encoding));
        return;
    }

    StatusArea->SetPanelText(1, QString::fromStdString(Media.GetMode()));
    StatusArea->SetPanelText(3, QString::fromStdString(TimeText(pos)));
    if (PositionSlider->value() == LastSliderPosition) {
        // Cleared before the move, so that the change this move raises does not seek.
        SliderMovedByUser = false;
        PositionSlider->setValue(pos / 1000);
    } else {
        SliderMovedByUser = true;
    }
    LastSliderPosition = PositionSlider->value();
    if (!SubtitleFormatUnknown) ShowSubtitleText(text);
}

void MainWindow::ResyncIndex() {
    ::orvalen::ResyncIndex(Track, Media.GetPosition());
}

void MainWindow::ShowSubtitleText(std::string_view text) {
    if (text == shownText_ && Track.Encoding == shownEncoding_) return;
    shownText_.assign(text);
    shownEncoding_ = Track.Encoding;
    SubtitleLabel->setText(DisplayText(text, Track.Encoding));
    const int width = SubtitleLabel->width();
    SubtitleLabel->resize(width, std::max(SubtitleLabel->heightForWidth(width),
                                          SubtitleLabel->fontMetrics().height()));
}

int32_t MainWindow::CurrentDelay() const {
    return CurrentSettings().Delay;
}

}  // namespace orvalen
