#pragma once

namespace orvalen {

// Suspends (true) or resumes (false) the X server's screen saver and display power saving
// for as long as this program's display connection lives, through the MIT-SCREEN-SAVER
// extension. False when the program does not run on X11 or the server lacks the extension.
bool SuspendX11ScreenSaver(bool suspend);

}  // namespace orvalen
