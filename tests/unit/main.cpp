// The test runner: one QApplication (offscreen) for every test that makes widgets.
#include "app/languages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widget tests never need a screen; listing the tests (ctest does) must not either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A private runtime folder (the single-instance lock lives there), made before Qt looks.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::tempPath() + QStringLiteral("/velto-tests-runtime");
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    }
    QApplication app(argc, argv);
    velto::installTranslations(app, QLocale::system()); // as the program does: English here
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
