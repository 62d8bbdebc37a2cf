#pragma once

#include "app/desktop/MprisService.h"
#include "app/desktop/ScreenSaverInhibitor.h"
#include "app/window/PlayerControl.h"

namespace orvalen {

// The player's place on the desktop: its media controls (MPRIS) and the screen kept on while
// a film plays. The owner calls Update after its commands and on its clock.
class DesktopSession {
  public:
    // On the session bus; without one, only the X11 screen saver is held off.
    explicit DesktopSession(PlayerControl& player) : player_(player), mpris_(player) {}

    void Update() {
        screenSaver_.SetInhibited(player_.State() == PlaybackState::Playing);
        mpris_.Refresh();
    }

  private:
    PlayerControl& player_;
    ScreenSaverInhibitor screenSaver_;
    MprisService mpris_;
};

}  // namespace orvalen
