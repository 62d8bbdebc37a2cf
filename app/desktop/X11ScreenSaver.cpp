#include "app/desktop/X11ScreenSaver.h"

#include <QGuiApplication>

// Xlib's macros (Bool, Status, None...) clash with Qt's names: include it after Qt.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace orvalen {

bool SuspendX11ScreenSaver(bool suspend) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return false;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    // Suspension came with version 1.1 of the extension.
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase) ||
        !XScreenSaverQueryVersion(display, &major, &minor) || major < 1 ||
        (major == 1 && minor < 1)) {
        return false;
    }
    XScreenSaverSuspend(display, suspend ? True : False);
    XFlush(display);
    return true;
}

}  // namespace orvalen
