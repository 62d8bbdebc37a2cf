#include <QScreen>

#include "app/window/FullScreenView.h"
#include "tests/app/EndToEndFixture.h"

namespace orvalen::testing {
namespace {

TEST_F(EndToEndTest, PlaysAndFillsTheOutputOnWayland) {
    if (QGuiApplication::platformName() != "wayland") GTEST_SKIP() << "needs weston";
    QStringList warnings;
    const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    static QStringList* seen = &warnings;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg) seen->append(text);
    });
    MainWindow& w = Start();
    EXPECT_TRUE(PollUntil([&] { return w.State() == PlaybackState::Playing; }, 10000));
    EXPECT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));
    w.ToggleFullScreen();
    const QRect output = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(PollUntil(
        [&] {
            return Ui().FullScreenWindow->isVisible() &&
                   Ui().FullScreenWindow->geometry().size() == output.size();
        },
        10000));
    EXPECT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->BandText() == kSubtitle; }, 10000));
    w.LeaveFullScreen();
    EXPECT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }, 10000));
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

}  // namespace
}  // namespace orvalen::testing
