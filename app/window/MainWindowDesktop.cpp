#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/desktop/DesktopSession.h"
#include "app/window/FullScreenView.h"
#include "app/window/MainWindow.h"

namespace orvalen {

void MainWindow::JoinDesktop() {
    if (!desktop_) desktop_ = std::make_unique<DesktopSession>(*this);
}

void MainWindow::PlayPause() {
    if (State() == PlaybackState::Playing) {
        Pause();
    } else {
        Play();
    }
}

// Like a seek with the slider, but a paused film stays paused; the clock moves the slider.
void MainWindow::SeekTo(int32_t ms) {
    if (!film_.Open) return;
    media_.SeekTo(ms);
    ResyncIndex();
}

int32_t MainWindow::PositionMs() {
    return film_.Open ? media_.GetPosition() : -1;
}

int32_t MainWindow::LengthMs() {
    return film_.Open ? media_.GetLength() : -1;
}

std::string MainWindow::Path() {
    return film_.Open ? film_.Path : std::string();
}

std::string MainWindow::Title() {
    return film_.Open ? QFileInfo(QFile::decodeName(film_.Path.c_str())).fileName().toStdString()
                      : std::string();
}

// "not ready" after the media layer failed, and "stopped" at the end of the film, both read
// as stopped.
PlaybackState MainWindow::State() {
    if (!film_.Open) return view_.Playback = PlaybackState::Stopped;
    const std::string mode = media_.GetMode();
    if (mode == "playing") {
        view_.Playback = PlaybackState::Playing;
    } else if (mode == "paused") {
        view_.Playback = PlaybackState::Paused;
    } else if (mode != "seeking") {
        view_.Playback = PlaybackState::Stopped;
    }
    return view_.Playback;
}

double MainWindow::Rate() {
    return media_.Speed();
}

void MainWindow::SetRate(double rate) {
    if (!std::isfinite(rate) || State() != PlaybackState::Playing) return;
    media_.PlayAtSpeed(std::clamp(rate, kMinimumRate, kMaximumRate));
}

double MainWindow::Volume() {
    return view_.Muted ? 0.0 : view_.Volume;
}

void MainWindow::SetVolume(double volume) {
    if (!std::isfinite(volume)) return;
    view_.Volume = std::clamp(volume, 0.0, 1.0);
    media_.SetVolume(view_.Volume);
    if (view_.Muted && view_.Volume > 0) ToggleMute();
}

void MainWindow::Raise() {
    QWidget* front =
        ui_.FullScreenWindow->isVisible() ? static_cast<QWidget*>(ui_.FullScreenWindow) : this;
    front->show();
    front->raise();
    front->activateWindow();
}

}  // namespace orvalen
