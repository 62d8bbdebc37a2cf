#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/ReferenceDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/startup/ProgramWindows.h"
#include "app/window/MainWindow.h"
#include "settings/IniFile.h"
#include "tests/app/FakeMediaDevice.h"
#include "tests/app/MainWindowProbe.h"

namespace orvalen::testing {

// One QApplication for the whole test program, on Qt's offscreen platform unless the test
// program chose another before.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "orvalen-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName("Orvalen");
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QApplication> app_;
};

// Runs the event loop until done() holds or the deadline passes; returns done().
inline bool PollUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

inline void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A main window over a fake device, its settings file in a temporary directory, message
// boxes recorded instead of shown, and the clock driven by the test (ClockTimer stopped).
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("ORVALEN_CONFIG", ConfigPath().toLocal8Bit());
        // No shipped default from the machine: a test that wants one puts it here.
        qputenv("XDG_CONFIG_DIRS", Path("system").toLocal8Bit());
        qputenv("XDG_STATE_HOME", Path("state").toLocal8Bit());
        SetMessageHandler([this](const QString& text) { messages_.push_back(text); });
    }

    void TearDown() override {
        DestroyWindow();
        SetMessageHandler({});
        qunsetenv("ORVALEN_CONFIG");
        qunsetenv("XDG_CONFIG_DIRS");
        qunsetenv("XDG_STATE_HOME");
    }

    // The window's controls and state.
    MainWindowProbe Probe() const { return MainWindowProbe(*window_); }
    MainWindow::Widgets& Ui() const { return Probe().Ui(); }
    MainWindow::ViewState& View() const { return Probe().View(); }
    FilmState& Film() const { return Probe().Film(); }
    SubtitleState& Subs() const { return Probe().Subtitles(); }
    QAction* Item(WindowAction id) const { return Ui().Action(id); }
    int FoundCount() const { return static_cast<int>(Subs().FoundFiles.size()); }
    // What the subtitle label shows, without its styling.
    QString LabelText() const {
        QTextDocument shown;
        shown.setHtml(Ui().SubtitleLabel->text());
        return shown.toPlainText();
    }

    QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QString ConfigPath() const { return Path("Config.ini"); }

    // The program's windows over device, as the program creates them.
    MainWindow& MakeWindows(std::unique_ptr<MediaDevice> device, QStringList commandLine) {
        windows_ = std::make_unique<ProgramWindows>(std::move(device), std::move(commandLine));
        window_ = &windows_->Main();
        return *window_;
    }

    MainWindow& MakeWindow(QStringList commandLine = {}) {
        MakeWindows(std::make_unique<FakeMediaDevice>(device_), std::move(commandLine));
        Ui().ClockTimer->stop();
        return *window_;
    }

    void DestroyWindow() {
        windows_.reset();
        window_ = nullptr;
    }

    // Changes the search and display settings as the configuration dialog does: they are
    // stored in Config.ini, and a new dialog reads them back for the window.
    void ChangeSettings(const std::function<void(Settings&)>& change) {
        Settings settings = window_->CurrentSettings();
        change(settings);
        IniFile ini(ConfigPath().toStdString());
        ASSERT_TRUE(SaveSettings(ini, settings, ReadFontSettings(ini)).Ok);
        delete window_->findChild<ConfigDialog*>();
        window_->UseDialogs({new ConfigDialog(window_), window_->findChild<SubtitleChoiceDialog*>(),
                             window_->findChild<ReferenceDialog*>(),
                             window_->findChild<AboutDialog*>()});
    }

    // Shows the window and lets its first-show handling run.
    void ShowWindow() {
        window_->show();
        ASSERT_TRUE(
            PollUntil([this] { return !View().FirstShow || Probe().CommandLine().empty(); }));
        QApplication::processEvents();
    }

    void TickAt(int32_t position) {
        device_.position = position;
        window_->OnClockTick();
    }

    QTemporaryDir dir_;
    FakeDeviceState device_;
    std::vector<QString> messages_;
    std::unique_ptr<ProgramWindows> windows_;
    MainWindow* window_ = nullptr;
};

}  // namespace orvalen::testing
