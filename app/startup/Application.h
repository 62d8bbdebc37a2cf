#pragma once

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

#include "media/MediaDevice.h"
#include "media/RenderPath.h"

namespace orvalen {

class ProgramWindows;

// The application object: an exception that escapes an event handler is shown in an error box
// and the message loop goes on. It owns the program's windows.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Creates the windows over device, with the program's parameters, and shows the main one,
    // drawing the film on the forced render path or the one OpenGL suggests.
    void OpenWindows(std::unique_ptr<MediaDevice> device,
                     std::optional<RenderPath> forcedRender = RenderPath::Software);
    // The main window's RenderingReport, empty without windows.
    std::string RenderingReport() const;
    // Destroys the windows: the main window saves its view settings and closes the film.
    void CloseWindows();

    static void ShowException(const char* what);

  private:
    std::unique_ptr<ProgramWindows> windows_;
};

// True when a display can be reached: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool HasDisplay();

}  // namespace orvalen
