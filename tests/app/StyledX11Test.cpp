#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "app/window/FullScreenView.h"
#include "app/window/StyledSubtitle.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

// How far right the upper half of the white pixels in rows [top, bottom) lies of the lower
// half: a slant to the right shows as a positive lean. NaN when nothing white is there.
double Lean(const QImage& shot, int top, int bottom) {
    int first = -1, last = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qGray(shot.pixel(x, y)) > 200) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    if (first < 0) return std::nan("");
    const int middle = (first + last) / 2;
    double sum[2] = {0, 0};
    int count[2] = {0, 0};
    for (int y = first; y <= last; ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qGray(shot.pixel(x, y)) <= 200) continue;
            const int half = y <= middle ? 0 : 1;
            sum[half] += x;
            ++count[half];
        }
    }
    return sum[0] / std::max(count[0], 1) - sum[1] / std::max(count[1], 1);
}

// On the X display: what the screen shows, read back from the X server.
TEST(StyledBandOnX11, ItalicRunsAreDrawnSlanted) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect geometry = screen->geometry();
    const ScreenRect band{0, geometry.height() - 90, geometry.width(), geometry.height() - 14};
    FullScreenView view;
    view.SetBand(band);
    QFont font("DejaVu Sans");
    font.setPixelSize(48);
    view.SetBandFont(font);
    view.SetTextColor(Qt::black);  // shown white
    view.Enter(screen);
    ASSERT_TRUE(PollUntil([&] { return view.isVisible() && view.windowHandle()->isExposed(); }));

    // Waits for the screen to show something other than before.
    auto leanOf = [&](const char* text, double before) {
        view.DrawBandLines(BandLines(ParseMarkup(text, MarkupFamily::SubRip), font));
        double lean = std::nan("");
        PollUntil([&] {
            lean = Lean(screen->grabWindow(0).toImage(), band.Top, band.Bottom);
            return !std::isnan(lean) && lean != before;
        });
        return lean;
    };
    const double upright = leanOf("IIIIIIII", std::nan(""));
    const double italic = leanOf("<i>IIIIIIII</i>", upright);
    ASSERT_FALSE(std::isnan(upright));
    ASSERT_FALSE(std::isnan(italic));
    EXPECT_LT(std::abs(upright), 1.0);
    EXPECT_GT(italic, 2.0) << "upright lean " << upright;
    view.Leave();
}

}  // namespace
}  // namespace orvalen::testing
