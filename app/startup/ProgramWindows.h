#pragma once

#include <QStringList>
#include <memory>

#include "media/MediaDevice.h"

namespace orvalen {

class AboutDialog;
class ConfigDialog;
class MainWindow;
class ReferenceDialog;
class SubtitleChoiceDialog;

// The program's five windows, each created once and in this order: the main window, then the
// configuration, subtitle choice, reference and about dialogs, which are its children and go
// with it. The main window is handed the dialogs it opens.
class ProgramWindows {
  public:
    // device plays the films; commandLine holds the program's parameters (the first names a
    // film to open when the main window is first shown).
    ProgramWindows(std::unique_ptr<MediaDevice> device, QStringList commandLine);
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    MainWindow& Main() { return *main_; }

  private:
    std::unique_ptr<MainWindow> main_;
};

}  // namespace orvalen
