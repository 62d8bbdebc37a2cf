// The window on a desktop of two screens side by side, a second monitor to the right of the
// primary one (Qt's offscreen platform, told the screens by a configuration file).
#include <unistd.h>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "app/window/FullScreenView.h"
#include "app/window/VideoPanel.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/QtPrinters.h"

namespace orvalen::testing {
namespace {

const QRect kLeft(0, 0, 1280, 1024);  // the primary screen
const QRect kRight(1280, 0, 1920, 1080);

class TwoScreens : public QtEnvironment {
  public:
    void SetUp() override {
        config_ = QDir::temp().filePath(QString("orvalen-screens-%1.json").arg(::getpid()));
        WriteFile(config_, R"({"windowFrameMargins": true, "screens": [
            {"name": "left", "x": 0, "y": 0, "width": 1280, "height": 1024},
            {"name": "right", "x": 1280, "y": 0, "width": 1920, "height": 1080}]})");
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config_).toLocal8Bit());
        QtEnvironment::SetUp();
    }
    void TearDown() override {
        QtEnvironment::TearDown();
        QFile::remove(config_);
    }

  private:
    QString config_;
};

::testing::Environment* const kTwoScreens = ::testing::AddGlobalTestEnvironment(new TwoScreens);

std::string Text(const QRect& r) {
    return QString("%1,%2 %3x%4")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

QScreen* ScreenAt(const QRect& geometry) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry() == geometry) return screen;
    }
    return nullptr;
}

class Screens : public Commands, public ::testing::WithParamInterface<QRect> {
  protected:
    // The window shown on the screen of that geometry.
    void PlaceOn(const QRect& screen) {
        W().move(screen.topLeft() + QPoint(100, 100));
        W().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
        ASSERT_EQ(W().screen(), ScreenAt(screen));
    }
};

TEST_P(Screens, FullScreenCoversTheWindowsScreenWithTheBandInside) {
    PlaceOn(GetParam());
    OpenThroughDialog(FilmWithSubtitle("film"));
    W().ToggleFullScreen();
    const FullScreenView* view = Ui().FullScreenWindow;
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(view->geometry(), GetParam());
    const ScreenRect band = view->Band();
    const QRect global(band.Left, band.Top, band.Right - band.Left, band.Bottom - band.Top);
    EXPECT_EQ(global,
              QRect(GetParam().left(), GetParam().bottom() + 1 - 90, GetParam().width(), 76));
    EXPECT_TRUE(view->geometry().contains(global));
    W().LeaveFullScreen();
}

TEST_P(Screens, ABigFilmIsScaledDownSoThatTheWindowAndItsSubtitlesStayOnTheScreen) {
    PlaceOn(GetParam());
    device_.videoWidth = 1920;
    device_.videoHeight = 1080;
    OpenThroughDialog(FilmWithSubtitle("big"));
    QApplication::processEvents();
    const QRect available = W().screen()->availableGeometry();
    EXPECT_TRUE(available.contains(W().frameGeometry()))
        << Text(W().frameGeometry()) << " on " << Text(available);
    const QLabel* label = Ui().SubtitleLabel;
    EXPECT_TRUE(available.contains(QRect(label->mapToGlobal(QPoint(0, 0)), label->size())));
    const QSize picture = Ui().VideoArea->size() - QSize(0, 15);
    EXPECT_NEAR(double(picture.width()) / picture.height(), 16.0 / 9.0, 0.01)
        << picture.width() << "x" << picture.height();
    EXPECT_EQ(Panel(StatusPanel::PictureSize), "1920 * 1080");
}

TEST_P(Screens, ALargerSubtitleFontKeepsTheWindowOnTheScreen) {
    PlaceOn(GetParam());
    device_.videoWidth = 1920;
    device_.videoHeight = 1080;
    OpenThroughDialog(FilmWithSubtitle("big"));
    QFont large(DefaultSansFamily());
    large.setPointSize(40);
    test::WhenModal<SubtitleFontDialog>([large](SubtitleFontDialog* dialog) {
        dialog->SetChoice({large, Qt::white});
        dialog->accept();
    });
    W().ChooseSubtitleFont();
    QApplication::processEvents();
    ASSERT_EQ(Ui().SubtitlePanel->height(), 200);
    EXPECT_TRUE(W().screen()->availableGeometry().contains(W().frameGeometry()))
        << Text(W().frameGeometry());
}

INSTANTIATE_TEST_SUITE_P(Desktop, Screens, ::testing::Values(kRight, kLeft), [](const auto& info) {
    return std::string(info.param == kRight ? "SecondRightOfTheFirst" : "PrimaryAtTheOrigin");
});

}  // namespace
}  // namespace orvalen::testing
