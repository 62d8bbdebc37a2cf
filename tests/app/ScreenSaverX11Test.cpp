#include <gtest/gtest.h>

#include "app/desktop/ScreenSaverInhibitor.h"
#include "tests/app/WindowFixture.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace orvalen::testing {
namespace {

// The server's screen saver as another program sees it, with a one-second timeout. The test
// runs on an X server of its own, so other tests never see a blanked screen.
class ScreenSaverWatch {
  public:
    ScreenSaverWatch() : display_(XOpenDisplay(nullptr)) {
        if (display_) XSetScreenSaver(display_, 1, 0, PreferBlanking, DefaultExposures);
    }
    ~ScreenSaverWatch() {
        if (!display_) return;
        XSetScreenSaver(display_, -1, -1, DefaultBlanking, DefaultExposures);
        XCloseDisplay(display_);
    }
    bool Open() const { return display_ != nullptr; }

    // Whether the saver came on after more than its timeout without input.
    bool BlanksWhenIdle() {
        QDeadlineTimer idle(2500);
        while (!idle.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 50);
        XScreenSaverInfo info{};
        XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), &info);
        const bool on = info.state == ScreenSaverOn;
        XResetScreenSaver(display_);
        XSync(display_, False);
        return on;
    }

  private:
    Display* display_;
};

// No org.freedesktop.ScreenSaver answers on the private bus: the X11 extension keeps the
// screen on while playing, and lets it blank again once paused.
TEST(ScreenSaverX11, FallbackSuspendsTheServerSaverWhilePlaying) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "not on X11";
    ScreenSaverWatch watch;
    ASSERT_TRUE(watch.Open());
    ScreenSaverInhibitor inhibitor;
    inhibitor.SetInhibited(true);
    ASSERT_TRUE(PollUntil([&] { return inhibitor.Holding(); }));
    EXPECT_FALSE(watch.BlanksWhenIdle());
    inhibitor.SetInhibited(false);
    EXPECT_TRUE(watch.BlanksWhenIdle());
}

}  // namespace
}  // namespace orvalen::testing
