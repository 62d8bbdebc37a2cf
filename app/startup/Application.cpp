#include "app/startup/Application.h"

#include <cstdlib>
#include <exception>

#include "app/dialogs/MessageBox.h"
#include "app/startup/ProgramWindows.h"
#include "app/window/GpuPicture.h"
#include "app/window/MainWindow.h"
#include "settings/DefaultConfig.h"

namespace orvalen {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application::~Application() {
    CloseWindows();
}

void Application::OpenWindows(std::unique_ptr<MediaDevice> device,
                              std::optional<RenderPath> forcedRender) {
    windows_ = std::make_unique<ProgramWindows>(std::move(device), arguments().mid(1));
    // Probing makes an OpenGL context: only worth it when the GPU path is possible.
    const OpenGlReport report =
        forcedRender == RenderPath::Software ? OpenGlReport{} : ProbeOpenGl();
    windows_->Main().UseRenderPath(DecideRenderPath(forcedRender, report));
    windows_->Main().JoinDesktop();
    windows_->Main().show();
    // A settings file that exists but cannot be read leaves every setting at its default;
    // the user is told once the window is up.
    const std::string problem = ConfigReadProblem(ConfigFileToRead());
    if (!problem.empty()) {
        QMetaObject::invokeMethod(
            &windows_->Main(),
            [this, problem] { ShowMessage(&windows_->Main(), QString::fromStdString(problem)); },
            Qt::QueuedConnection);
    }
}

std::string Application::RenderingReport() const {
    return windows_ ? windows_->Main().RenderingReport() : std::string();
}

void Application::CloseWindows() {
    windows_.reset();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error.what());
    } catch (...) {
        ShowException("Unknown error");
    }
    return false;
}

void Application::ShowException(const char* what) {
    ShowError(nullptr, QString::fromLocal8Bit(what));
}

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace orvalen
