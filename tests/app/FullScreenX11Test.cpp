#include <QKeyEvent>
#include <QScreen>

#include "app/window/FullScreenView.h"
#include "tests/app/EndToEndFixture.h"

namespace orvalen::testing {
namespace {

// Full screen on a real X display (the virtual one that scripts/test provides), with no
// window manager: the view must still cover the screen.
class FullScreenX11 : public EndToEndTest {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
        EndToEndTest::SetUp();
    }
};

TEST_F(FullScreenX11, TheScreenShowsTheFilmWithTheBandAndTheSubtitle) {
    MainWindow& w = Start();
    ShowPosition(2000);
    ASSERT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));
    w.ToggleFullScreen();
    ASSERT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->isVisible(); }, 10000));
    ASSERT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->BandText() == kSubtitle; }, 10000));

    QScreen* screen = QGuiApplication::primaryScreen();
    const ScreenRect band = View().FullScreenRect;
    const auto bandFound = [&] {
        const QImage shot = screen->grabWindow(0).toImage();
        if (shot.width() < band.Right || shot.height() < band.Bottom) return false;
        int yellow = 0;
        int left = shot.width();
        int right = 0;
        for (int y = band.Top; y < band.Bottom; ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 80) {
                    ++yellow;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        const bool centred = std::abs((left + right) / 2 - shot.width() / 2) < 12;
        const bool blackBand =
            shot.pixelColor(2, band.Top + 2) == QColor(Qt::black) &&
            shot.pixelColor(shot.width() - 3, band.Bottom - 3) == QColor(Qt::black);
        const bool film = Near(shot.pixelColor(shot.width() / 2, shot.height() / 2), kFilmColor);
        return yellow > 50 && centred && blackBand && film;
    };
    EXPECT_TRUE(PollUntil(bandFound, 10000));

    EXPECT_EQ(Ui().FullScreenWindow->geometry(), screen->geometry());
    const QString frozen = Ui().StatusArea->PanelText(StatusPanel::Position);
    Probe().Media().SeekTo(16000);
    w.ResyncIndex();
    EXPECT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->BandText().isEmpty(); }, 10000))
        << "blanked after the subtitle";
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Position), frozen)
        << "the window stays frozen in full screen";

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Ui().FullScreenWindow, &escape);
    EXPECT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }, 10000));
    EXPECT_TRUE(PollUntil(
        [&] { return Ui().StatusArea->PanelText(StatusPanel::Position) != frozen; }, 10000));
}

}  // namespace
}  // namespace orvalen::testing
