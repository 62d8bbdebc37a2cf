#include <gtest/gtest.h>

#include <QEvent>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/dialogs/MessageBox.h"
#include "app/startup/Application.h"

namespace orvalen {
namespace {

class ApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "orvalen-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<Application>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<Application> app_;
};

::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

class Thrower : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("Disk on fire");
        return QObject::event(event);
    }
};

TEST(ApplicationTest, AnEscapingExceptionIsShownAndTheLoopGoesOn) {
    std::vector<QString> shown;
    SetMessageHandler([&shown](const QString& text) { shown.push_back(text); });
    Thrower thrower;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Disk on fire");
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.size(), 2u);
    SetMessageHandler({});
}

}  // namespace
}  // namespace orvalen
