#pragma once

#include <QStringList>

#include "app/window/MainWindow.h"

namespace orvalen::testing {

// Lets the tests reach the main window's controls and state.
class MainWindowProbe {
  public:
    explicit MainWindowProbe(MainWindow& window) : window_(window) {}

    MainWindow::Widgets& Ui() { return window_.ui_; }
    MainWindow::ViewState& View() { return window_.view_; }
    FilmState& Film() { return window_.film_; }
    SubtitleState& Subtitles() { return window_.subtitles_; }
    MediaControl& Media() { return window_.media_; }
    const QStringList& CommandLine() const { return window_.commandLine_; }

  private:
    MainWindow& window_;
};

}  // namespace orvalen::testing
