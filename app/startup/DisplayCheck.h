#pragma once

#include <QtGlobal>
#include <cstdio>

namespace orvalen {

// True unless Qt is going to use a display that cannot be reached; then says "cannot connect
// to display NAME" (X11) or "cannot connect to Wayland display NAME" on err (when not null).
// Qt itself would abort the program with a core dump there. Where only a Wayland display is
// named, Qt is told to use it rather than look for X11.
bool DisplayReachable(std::FILE* err);

// While it lives, a fatal message from Qt, which only the platform plugin gives while the
// application object is made (the display went away after the check, or a Wayland display
// cannot be reached), ends the program with status 1 after saying "cannot connect to display
// NAME" on err, instead of letting Qt abort it with a core dump.
class ExitOnDisplayFailure {
  public:
    explicit ExitOnDisplayFailure(std::FILE* err);
    ~ExitOnDisplayFailure();

    ExitOnDisplayFailure(const ExitOnDisplayFailure&) = delete;
    ExitOnDisplayFailure& operator=(const ExitOnDisplayFailure&) = delete;

  private:
    QtMessageHandler previous_;
};

}  // namespace orvalen
