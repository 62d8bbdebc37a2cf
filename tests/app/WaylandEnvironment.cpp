#include <QProcess>
#include <QThread>

#include "tests/app/WindowFixture.h"

namespace {

// A Wayland compositor of the test's own (weston without an output device) and Qt's wayland
// platform on it. Without weston the tests skip themselves on the offscreen platform.
class WaylandEnvironment : public orvalen::testing::QtEnvironment {
  public:
    void SetUp() override {
        const QString socket =
            QStringLiteral("orvalen-test-%1").arg(QCoreApplication::applicationPid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        weston_.start("weston", {"--backend=headless-backend.so", "--socket=" + socket,
                                 "--width=1024", "--height=768", "--idle-time=0"});
        QDeadlineTimer deadline(10000);
        while (weston_.state() != QProcess::NotRunning &&
               !QFile::exists(runtime_.filePath(socket)) && !deadline.hasExpired()) {
            QThread::msleep(50);
        }
        const bool ready = QFile::exists(runtime_.filePath(socket));
        qputenv("WAYLAND_DISPLAY", socket.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", ready ? "wayland" : "offscreen");
        QtEnvironment::SetUp();
    }
    void TearDown() override {
        QtEnvironment::TearDown();
        weston_.terminate();
        weston_.waitForFinished(5000);
    }

  private:
    QTemporaryDir runtime_;
    QProcess weston_;
};

::testing::Environment* const kWaylandEnvironment =
    ::testing::AddGlobalTestEnvironment(new WaylandEnvironment);

}  // namespace
