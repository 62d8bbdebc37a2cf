#pragma once

#include <cstdio>

namespace orvalen {

// True unless Qt is going to use a display that cannot be reached; then says "cannot connect
// to display NAME" (X11) or "cannot connect to Wayland display NAME" on err. Qt itself would
// abort the program with a core dump there. Where only a Wayland display is named, Qt is told
// to use it rather than look for X11.
bool DisplayReachable(std::FILE* err);

}  // namespace orvalen
