#include <QScreen>

#include "app/window/VideoPanel.h"
#include "tests/app/EndToEndFixture.h"

namespace orvalen::testing {
namespace {

// Run with QT_SCALE_FACTOR=2 on the X display: two device pixels to a pixel.
TEST_F(EndToEndTest, FilmFillsItsAreaAtTheScreensOwnResolution) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
    // One-pixel stripes, larger than the screen: made at the panel's size in pixels they blur
    // to grey, and pairs of device pixels come out alike.
    const std::string command =
        "ffmpeg -nostdin -v error -y -f lavfi -i "
        "'nullsrc=s=1280x960:r=5:d=20,geq=lum=255*mod(X\\,2):cb=128:cr=128' "
        "-c:v mpeg4 -q:v 1 -an '" +
        Path("Test film.avi").toStdString() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    MainWindow& w = Start();
    ASSERT_EQ(w.devicePixelRatio(), 2.0);
    VideoPanel* panel = Ui().VideoArea;
    EXPECT_TRUE(w.screen()->availableGeometry().contains(w.geometry())) << "sized in pixels";
    const auto sharp = [&] {
        const QRect area(panel->mapToGlobal(QPoint(0, 0)), panel->size());
        const QImage shot = QGuiApplication::primaryScreen()
                                ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                .toImage();
        if (shot.width() != 2 * area.width()) return false;
        int apart = 0;
        const int y = shot.height() / 3;
        for (int x = 0; x + 1 < shot.width(); x += 2) {
            apart += std::abs(qGray(shot.pixel(x, y)) - qGray(shot.pixel(x + 1, y))) > 40;
        }
        return apart > shot.width() / 8;
    };
    EXPECT_TRUE(PollUntil(sharp, 10000));
}

}  // namespace
}  // namespace orvalen::testing
