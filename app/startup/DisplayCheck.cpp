#include "app/startup/DisplayCheck.h"

#include <wayland-client.h>
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
    if (err == nullptr) return;
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

bool WaylandReachable(std::FILE* err) {
    const std::string_view name = Environment("WAYLAND_DISPLAY");
    const std::string_view shown = name.empty() ? std::string_view("wayland-0") : name;
    // A display named without a path lives in XDG_RUNTIME_DIR.
    const bool located = shown.starts_with('/') || !Environment("XDG_RUNTIME_DIR").empty();
    wl_display* display = located ? wl_display_connect(nullptr) : nullptr;
    if (display) {
        wl_display_disconnect(display);
        return true;
    }
    if (err != nullptr) {
        std::fprintf(err, "orvalen: cannot connect to Wayland display %.*s%s\n",
                     static_cast<int>(shown.size()), shown.data(),
                     located ? "" : " (XDG_RUNTIME_DIR is not set)");
    }
    return false;
}

bool X11Reachable(std::FILE* err) {
    const std::string_view display = Environment("DISPLAY");
    if (display.empty()) return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable) SayCannotConnect(err, display);
    return reachable;
}

}  // namespace

ExitOnDisplayFailure::ExitOnDisplayFailure(std::FILE* err) {
    displayFailureOutput = err;
    previous_ = qInstallMessageHandler(ExitOnFatal);
}

ExitOnDisplayFailure::~ExitOnDisplayFailure() {
    qInstallMessageHandler(previous_);
}

bool DisplayReachable(std::FILE* err) {
    const std::string_view platform = Environment("QT_QPA_PLATFORM");
    if (platform.starts_with("wayland")) return WaylandReachable(err);
    if (platform.starts_with("xcb")) return X11Reachable(err);
    if (!platform.empty()) return true;
    const bool waylandSession = Environment("XDG_SESSION_TYPE") == "wayland";
    if (Environment("WAYLAND_DISPLAY").empty()) return waylandSession || X11Reachable(err);
    // Qt would still try X11 when only a Wayland display is named.
    if (Environment("DISPLAY").empty()) {
        ::setenv("QT_QPA_PLATFORM", "wayland", 1);
        return WaylandReachable(err);
    }
    return waylandSession ? WaylandReachable(err) : X11Reachable(err);
}

}  // namespace orvalen
