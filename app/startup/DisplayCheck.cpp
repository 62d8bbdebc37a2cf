#include "app/startup/DisplayCheck.h"

#include <xcb/xcb.h>

#include <QString>

#include <cstdlib>
#include <string_view>

namespace orvalen {

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// Qt takes X11 (xcb) unless told otherwise or started in a Wayland session.
bool QtWillUseX11() {
    const std::string_view platform = Environment("QT_QPA_PLATFORM");
    if (!platform.empty()) return platform.starts_with("xcb");
    return Environment("XDG_SESSION_TYPE") != "wayland";
}

void SayCannotConnect(std::FILE* err, std::string_view display) {
    std::fprintf(err, "orvalen: cannot connect to display %.*s\n", static_cast<int>(display.size()),
                 display.data());
}

// The one a message handler can reach: Qt's handlers take no context.
std::FILE* displayFailureOutput = nullptr;

void ExitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        // Warnings and the rest are shown as Qt would have.
        std::fprintf(stderr, "%s\n",
                     qFormatLogMessage(type, context, message).toLocal8Bit().constData());
        return;
    }
    const std::string_view display =
        QtWillUseX11() ? Environment("DISPLAY") : Environment("WAYLAND_DISPLAY");
    SayCannotConnect(displayFailureOutput, display);
    std::_Exit(1);
}

}  // namespace

ExitOnDisplayFailure::ExitOnDisplayFailure(std::FILE* err) {
    displayFailureOutput = err;
    previous_ = qInstallMessageHandler(ExitOnFatal);
}

ExitOnDisplayFailure::~ExitOnDisplayFailure() {
    qInstallMessageHandler(previous_);
}

bool XDisplayReachable(std::FILE* err) {
    const std::string_view display = Environment("DISPLAY");
    if (display.empty() || !QtWillUseX11()) return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable && err != nullptr) SayCannotConnect(err, display);
    return reachable;
}

}  // namespace orvalen
