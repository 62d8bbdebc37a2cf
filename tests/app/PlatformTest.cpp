#include <QScreen>

#include "app/window/FullScreenView.h"
#include "tests/app/EndToEndFixture.h"

namespace orvalen::testing {
namespace {

// Under QT_SCALE_FACTOR=2 on X: one-pixel stripes larger than the screen blur to grey when the
// picture is made at the panel's size in pixels, so pairs of device pixels come out alike.
TEST_F(EndToEndTest, FilmFillsItsAreaAtDevicePixels) {
    if (QGuiApplication::platformName() != "xcb" || qApp->devicePixelRatio() != 2)
        GTEST_SKIP() << "needs an X display at scale 2";
    ASSERT_EQ(std::system(("ffmpeg -nostdin -v error -y -f lavfi -i 'nullsrc=s=1280x960:r=5:d=20,"
                           "geq=lum=255*mod(X\\,2):cb=128:cr=128' -q:v 1 -an '" +
                           Path("Test film.avi").toStdString() + "'")
                              .c_str()),
              0);
    MainWindow& w = Start();
    const auto sharp = [&] {
        const QRect area(Ui().VideoArea->mapToGlobal(QPoint(0, 0)), Ui().VideoArea->size());
        const QImage shot =
            w.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
        int apart = 0;
        for (int x = 0; x + 1 < shot.width(); x += 2) {
            apart += std::abs(qGray(shot.pixel(x, 99)) - qGray(shot.pixel(x + 1, 99))) > 40;
        }
        return shot.width() == 2 * area.width() && apart > shot.width() / 8;
    };
    EXPECT_TRUE(PollUntil(sharp, 10000));
}

TEST_F(EndToEndTest, PlaysAndFillsTheOutputOnWayland) {
    if (QGuiApplication::platformName() != "wayland") GTEST_SKIP() << "needs weston";
    MainWindow& w = Start();
    EXPECT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));
    w.ToggleFullScreen();
    const QSize output = QGuiApplication::primaryScreen()->size();
    EXPECT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->size() == output; }, 10000));
    EXPECT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->BandText() == kSubtitle; }, 10000));
}

}  // namespace
}  // namespace orvalen::testing
