#pragma once

#include <QApplication>

namespace orvalen {

// The application object: an exception that escapes an event handler is shown in an error box
// and the message loop goes on.
class Application : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;

    static void ShowException(const char* what);
};

// True when a display can be reached: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool HasDisplay();

}  // namespace orvalen
