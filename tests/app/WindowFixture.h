#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ConfigBox.h"
#include "app/Fiche.h"
#include "app/MessageBox.h"
#include "tests/app/FakeMediaDevice.h"

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
// boxes recorded instead of shown, and the clock driven by the test (Timer1 stopped).
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("ORVALEN_CONFIG", ConfigPath().toLocal8Bit());
        // No shipped default from the machine: a test that wants one puts it here.
        qputenv("XDG_CONFIG_DIRS", Path("system").toLocal8Bit());
        SetMessageHandler([this](const QString& text) { messages_.push_back(text); });
    }

    void TearDown() override {
        window_.reset();
        ConfigBox = nullptr;
        configBox_.reset();
        SetMessageHandler({});
        qunsetenv("ORVALEN_CONFIG");
        qunsetenv("XDG_CONFIG_DIRS");
    }

    QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QString ConfigPath() const { return Path("Config.ini"); }

    TFiche& MakeWindow(QStringList commandLine = {}) {
        window_ = std::make_unique<TFiche>(std::make_unique<FakeMediaDevice>(device_),
                                           std::move(commandLine));
        Fiche = window_.get();
        configBox_ = std::make_unique<TConfigBox>();
        ConfigBox = configBox_.get();
        window_->Timer1->stop();
        return *window_;
    }

    void DestroyWindow() { window_.reset(); }

    // Shows the window and lets its first-show handling run.
    void ShowWindow() {
        window_->show();
        ASSERT_TRUE(
            PollUntil([this] { return !window_->FirstShow || window_->CommandLine.empty(); }));
        QApplication::processEvents();
    }

    void TickAt(int32_t position) {
        device_.position = position;
        window_->Timer1Timer();
    }

    QTemporaryDir dir_;
    FakeDeviceState device_;
    std::vector<QString> messages_;
    std::unique_ptr<TFiche> window_;
    std::unique_ptr<TConfigBox> configBox_;
};

}  // namespace orvalen::testing
