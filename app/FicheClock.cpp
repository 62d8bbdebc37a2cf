#include <QLabel>
#include <QSlider>

#include "app/Fiche.h"
#include "app/FullScreenView.h"
#include "app/StatusBar.h"
#include "app/SubtitleText.h"
#include "playback/PlaybackClock.h"

namespace orvalen {

void TFiche::Timer1Timer() {
    if (!MovieOpen) return;
    const int32_t pos = Media.GetPosition();
    std::string_view text;
    if (!SubtitleFormatUnknown) text = ChooseSubtitle(Track, pos, CurrentDelay());

    if (FullScreenPlaying && !SubtitleFormatUnknown) {
        // The window's own controls stay frozen while the film covers the screen.
        ScreenDC->DrawBandText(DisplayText(text, Track.Encoding));
        return;
    }

    Status->SetPanelText(1, QString::fromStdString(Media.GetMode()));
    Status->SetPanelText(3, QString::fromStdString(TimeText(pos)));
    if (Slider->value() == LastSliderPosition) {
        // Cleared before the move, so that the change this move raises does not seek.
        SliderMovedByUser = false;
        Slider->setValue(pos / 1000);
    } else {
        SliderMovedByUser = true;
    }
    LastSliderPosition = Slider->value();
    if (!SubtitleFormatUnknown) ShowSubtitleText(text);
}

void TFiche::ResyncIndex() {
    ::orvalen::ResyncIndex(Track, Media.GetPosition());
}

void TFiche::ShowSubtitleText(std::string_view text) {
    if (text == shownText_ && Track.Encoding == shownEncoding_) return;
    shownText_.assign(text);
    shownEncoding_ = Track.Encoding;
    SousTitre->setText(DisplayText(text, Track.Encoding));
    const int width = SousTitre->width();
    SousTitre->resize(
        width, std::max(SousTitre->heightForWidth(width), SousTitre->fontMetrics().height()));
}

int32_t TFiche::CurrentDelay() const {
    return CurrentSettings().Delay;
}

}  // namespace orvalen
