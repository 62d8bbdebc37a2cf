#include "tests/app/WindowFixture.h"

namespace {

// On the X display when there is one; without one the tests skip themselves.
class X11Environment : public orvalen::testing::QtEnvironment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
        QtEnvironment::SetUp();
    }
};

::testing::Environment* const kX11Environment =
    ::testing::AddGlobalTestEnvironment(new X11Environment);

}  // namespace
