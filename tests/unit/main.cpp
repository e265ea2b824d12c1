// The test runner: one QApplication (offscreen) for every test that makes widgets.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widget tests never need a screen; listing the tests (ctest does) must not either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
