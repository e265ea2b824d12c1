// One clock per user: the real guard, on a private runtime folder.
#include "platform/qt_platform.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace velto::test {

class Instance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        key = QStringLiteral("velto-test-%1").arg(QCoreApplication::applicationPid());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved); }
    QString lockPath() const {
        return runtime.path() + '/' + key + '-' + currentUserName() + ".lock";
    }
    QTemporaryDir runtime;
    QByteArray saved;
    QString key;
};

TEST_F(Instance, SecondClaimIsRefusedAndBringsTheFirstBack) {
    LocalInstanceGuard first(key);
    ASSERT_TRUE(first.claim());
    int asked = 0;
    first.onActivationRequest([&asked] { ++asked; });

    LocalInstanceGuard second(key);
    EXPECT_FALSE(second.claim());
    QTRY_COMPARE(asked, 1);
}

TEST_F(Instance, LockLeftByACrashedRunDoesNotBlock) {
    QFile stale(lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // A lock whose owner is gone: a process number that cannot be running.
    stale.write(QByteArray("2147483646\nvelto_tests\n") + QSysInfo::machineHostName().toUtf8() +
                "\n");
    stale.close();
    LocalInstanceGuard guard(key);
    EXPECT_TRUE(guard.claim());
}

TEST_F(Instance, ReleasedWhenTheFirstEnds) {
    {
        LocalInstanceGuard first(key);
        ASSERT_TRUE(first.claim());
    }
    LocalInstanceGuard next(key);
    EXPECT_TRUE(next.claim());
}

} // namespace velto::test
