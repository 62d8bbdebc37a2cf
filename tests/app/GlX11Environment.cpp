#include "tests/app/WindowFixture.h"

namespace {

// On the X display, with the OpenGL contexts shared as the program shares them.
class GlX11Environment : public orvalen::testing::QtEnvironment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QtEnvironment::SetUp();
    }
};

::testing::Environment* const kGlX11Environment =
    ::testing::AddGlobalTestEnvironment(new GlX11Environment);

}  // namespace
