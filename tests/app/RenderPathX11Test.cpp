#include <QScreen>

#include "app/startup/CommandLineOptions.h"
#include "app/window/FullScreenView.h"
#include "app/window/GpuPicture.h"
#include "tests/app/EndToEndFixture.h"

namespace orvalen::testing {
namespace {

// Both render paths on a real X display (Mesa's llvmpipe under Xvfb), with the real libmpv.
class RenderPathX11 : public EndToEndTest {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
        EndToEndTest::SetUp();
    }

    // The screen's colour at the centre of widget.
    static QColor ShownAtCentre(QWidget* widget) {
        const QPoint centre = widget->mapToGlobal(widget->rect().center());
        return QGuiApplication::primaryScreen()->grabWindow(0).toImage().pixelColor(centre);
    }
};

TEST_F(RenderPathX11, EachForcedPathShowsTheFilmWithItsSubtitleInTheWindowAndFullScreen) {
    for (const RenderPath path : {RenderPath::Gpu, RenderPath::Software}) {
        SCOPED_TRACE(std::string(RenderPathName(path)));
        MakeWindows(std::make_unique<MpvDevice>(), QStringList{film_});
        window_->UseRenderPath(path);
        ASSERT_EQ(window_->RenderPathInUse(), path);
        window_->show();
        ASSERT_TRUE(PollUntil([this] { return Film().Open; }, 10000));
        ShowPosition(2000);
        EXPECT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));
        EXPECT_TRUE(
            PollUntil([&] { return Near(ShownAtCentre(Ui().VideoArea), kFilmColor); }, 10000));

        window_->ToggleFullScreen();
        FullScreenView* view = Ui().FullScreenWindow;
        ASSERT_TRUE(PollUntil([&] { return view->BandText() == kSubtitle; }, 10000));
        EXPECT_TRUE(PollUntil([&] { return Near(ShownAtCentre(view), kFilmColor); }, 10000));
        const ScreenRect band = View().FullScreenRect;
        const auto bandDrawn = [&] {
            const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            int yellow = 0;
            for (int y = band.Top; y < band.Bottom && y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); x += 2) {
                    const QColor c = shot.pixelColor(x, y);
                    yellow += c.red() > 200 && c.green() > 200 && c.blue() < 80;
                }
            }
            return yellow > 20 && shot.pixelColor(2, band.Top + 2) == QColor(Qt::black);
        };
        EXPECT_TRUE(PollUntil(bandDrawn, 10000));
        window_->LeaveFullScreen();
        DestroyWindow();
    }
}

TEST_F(RenderPathX11, TheAutomaticChoiceDrawsInSoftwareOnAProcessorRenderer) {
    const OpenGlReport report = ProbeOpenGl();
    ASSERT_TRUE(report.ContextMade);
    ASSERT_TRUE(IsSoftwareRenderer(report.Renderer.toStdString())) << report.Renderer.toStdString();
    EXPECT_EQ(DecideRenderPath(std::nullopt, report), RenderPath::Software);
    EXPECT_EQ(DecideRenderPath(RenderPath::Gpu, report), RenderPath::Gpu);
}

TEST_F(RenderPathX11, AGpuPathThatCannotStartLeavesTheSoftwarePath) {
    // The fake device cannot hand its pictures to OpenGL.
    MainWindow& w = MakeWindow();
    w.UseRenderPath(RenderPath::Gpu);
    EXPECT_EQ(w.RenderPathInUse(), RenderPath::Software);
    EXPECT_FALSE(Ui().VideoArea->ShowsGpuPicture());
}

}  // namespace
}  // namespace orvalen::testing
