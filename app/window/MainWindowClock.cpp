#include <QLabel>
#include <QSlider>

#include "app/desktop/DesktopSession.h"
#include "app/window/FullScreenView.h"
#include "app/window/MainWindow.h"
#include "app/window/StatusBar.h"
#include "app/window/StyledSubtitle.h"
#include "app/window/SubtitleLabel.h"
#include "app/window/SubtitleListWindow.h"
#include "playback/PlaybackClock.h"

namespace orvalen {

void MainWindow::OnClockTick() {
    // Also without a film, so that closing one lets the screen blank again.
    if (desktop_) desktop_->Update();
    if (view_.FilmItemsEnabled != film_.Open) EnableFilmItems();
    if (!film_.Open) return;
    const int32_t pos = media_.GetPosition();
    std::string_view text;
    if (!subtitles_.FormatUnknown) text = ChooseSubtitle(subtitles_.Track, pos, CurrentDelay());
    const std::string_view second = ChooseSecondSubtitle(subtitles_.Second, pos, CurrentDelay());
    view_.ShownLine = text.empty() ? -1 : subtitles_.Track.Cursor;
    ui_.SubtitleList->ShowLine(view_.ShownLine);

    if (view_.FullScreenPlaying && !subtitles_.FormatUnknown) {
        // The window's own controls stay frozen while the film covers the screen.
        if (bandShown_.Shows(text, subtitles_) && bandSecondShown_ == second) return;
        bandShown_ = ShownSubtitle::Of(text, subtitles_);
        bandSecondShown_ = second;
        FullScreenView* view = ui_.FullScreenWindow;
        view->DrawBandLines(
            BandLines(SecondScreenLines(subtitles_.Second, second), SecondFont(view->BandFont())),
            BandLines(ScreenLines(subtitles_, text), view->BandFont()));
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
    if (subtitles_.Second.Loaded) ShowSecondText(second);
}

void MainWindow::ResyncIndex() {
    const int32_t pos = media_.GetPosition();
    ::orvalen::ResyncIndex(subtitles_.Track, pos);
    ResyncSecondIndex(subtitles_.Second, pos);
}

void MainWindow::ShowSubtitleText(std::string_view text) {
    if (shown_.Shows(text, subtitles_)) return;
    shown_ = ShownSubtitle::Of(text, subtitles_);
    const std::vector<StyledLine> lines = ScreenLines(subtitles_, text);
    labelHtml_ = LabelRichText(lines);
    ui_.SubtitleLabel->ShowLines(lines, CurrentSettings().Announce);
    FitSubtitleLabel();
}

void MainWindow::ClearSubtitleText() {
    ShowSubtitleText({});
    ui_.FullScreenWindow->DrawBandText(QString());
    bandShown_ = {};
}

void MainWindow::ShowSecondText(std::string_view text) {
    if (secondShown_ == text && ui_.SecondSubtitleLabel->isVisible()) return;
    secondShown_ = text;
    ui_.SecondSubtitleLabel->setFont(SecondFont(ui_.SubtitleLabel->font()));
    ui_.SecondSubtitleLabel->setText(LabelRichText(SecondScreenLines(subtitles_.Second, text)));
    LayOutClient();
}

void MainWindow::RefreshSubtitleText() {
    const std::string text = shown_.Text;
    ShowSubtitleText(text);
}

int32_t MainWindow::CurrentDelay() const {
    return CurrentSettings().Delay;
}

}  // namespace orvalen
