#include "app/startup/DisplayCheck.h"

#include <xcb/xcb.h>

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

}  // namespace

bool XDisplayReachable(std::FILE* err) {
    const std::string_view display = Environment("DISPLAY");
    if (display.empty() || !QtWillUseX11()) return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable && err != nullptr) {
        std::fprintf(err, "orvalen: cannot connect to display %.*s\n",
                     static_cast<int>(display.size()), display.data());
    }
    return reachable;
}

}  // namespace orvalen
