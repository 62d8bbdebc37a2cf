#include "app/window/StatusBar.h"
#include "tests/app/BusFixture.h"
#include "tests/app/QtPrinters.h"

namespace orvalen::testing {
namespace {

// The real window over a fake device, on the desktop of a private session bus.
class DesktopWindow : public WindowTest, protected BusPeers {
  protected:
    void SetUp() override {
        if (!HaveBus()) GTEST_SKIP() << "no session bus";
        WindowTest::SetUp();
    }

    // The window with "Film.avi" (and its subtitles) opened from the command line: it plays.
    MainWindow& StartPlaying() {
        WriteFile(Path("Film.avi"), "not really a film");
        WriteFile(Path("Film.srt"), "1\r\n00:00:01,000 --> 00:00:03,000\r\nHello\r\n\r\n");
        MainWindow& window = MakeWindow({Path("Film.avi")});
        ChangeSettings([](Settings& settings) {
            settings.CurrentDir = true;
            settings.SubtitleFormat[static_cast<size_t>(SubtitleFormat::Srt)] = true;
        });
        window.JoinDesktop();
        ShowWindow();
        return window;
    }

    // One clock tick, then waits for the screen saver to hold count inhibitions.
    bool HeldAfterTick(int count) {
        window_->OnClockTick();
        return PollUntil([&] { return screenSaver_.held.size() == count; });
    }
};

TEST_F(DesktopWindow, TheBusDrivesTheWindowAndTheScreenStaysOnOnlyWhilePlaying) {
    StartScreenSaver();
    StartPlaying();
    ASSERT_TRUE(HeldAfterTick(1));
    EXPECT_TRUE(Has(GetProperty(kPlayer, "PlaybackStatus"), "\"Playing\""));

    Call("PlayPause");
    EXPECT_EQ(device_.mode, "paused");
    ASSERT_TRUE(HeldAfterTick(0));
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Mode), "paused");

    Call("PlayPause");
    ASSERT_TRUE(HeldAfterTick(1));
    device_.position = 10000;
    Call("Seek", {"int64:5000000"});
    EXPECT_EQ(device_.seeks.back(), 15000);
    EXPECT_EQ(device_.mode, "playing");
    window_->FastForward();
    EXPECT_TRUE(Has(GetProperty(kPlayer, "Rate"), "double 2"));

    device_.mode = "not ready";  // the media layer failed
    ASSERT_TRUE(HeldAfterTick(0));
    window_->Play();
    ASSERT_TRUE(HeldAfterTick(1));
    DestroyWindow();
    ASSERT_TRUE(PollUntil([&] { return screenSaver_.held.isEmpty(); }));
    EXPECT_EQ(screenSaver_.calls,
              QStringList({"Inhibit Orvalen 1", "UnInhibit 1", "Inhibit Orvalen 2", "UnInhibit 2",
                           "Inhibit Orvalen 3", "UnInhibit 3"}));
}

}  // namespace
}  // namespace orvalen::testing
