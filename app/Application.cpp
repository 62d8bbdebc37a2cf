#include "app/Application.h"

#include <cstdlib>
#include <exception>

#include "app/MessageBox.h"

namespace orvalen {

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
