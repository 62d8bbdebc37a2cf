#include <gtest/gtest.h>

#include <QApplication>

// Window tests run on Qt's offscreen platform unless a display is asked for explicitly.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("ORVALEN_TEST_ON_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
