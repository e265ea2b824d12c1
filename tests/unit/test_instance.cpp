// One clock per user: the real guard, on a private runtime folder, and what it does when
// that folder, its lock or its socket is not as it should be.
#include "platform/local_instance_guard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

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
    void TearDown() override { restoreEnvironment(); }
    void restoreEnvironment() {
        qputenv("XDG_RUNTIME_DIR", saved);
        qputenv("TMPDIR", savedTmp);
    }
    /// No runtime folder; the temporary folder is `tmp`.
    void withoutRuntimeFolder(const QString& tmp) {
        savedTmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", tmp.toLocal8Bit());
    }
    static bool ownerOnly(const QString& path) {
        const auto p = QFileInfo(path).permissions();
        return !(p & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                      QFile::WriteOther | QFile::ExeOther));
    }
    QByteArray savedTmp = qgetenv("TMPDIR");
    /// The guard's file with the given ending (".lock", ".socket") in the runtime folder.
    QString pathOf(const char* ending) const {
        return runtime.path() + '/' + key + '-' + currentUserName() + ending;
    }
    QString lockPath() const { return pathOf(".lock"); }
    /// A socket for datagrams, bound at `path` when one is given; closed with the test.
    int datagramSocket(const QString& path = {}) {
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        EXPECT_GE(fd, 0);
        sockets.push_back(fd);
        if (!path.isEmpty()) {
            const sockaddr_un a = address(path);
            EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof(a)), 0);
        }
        return fd;
    }
    static sockaddr_un address(const QString& path) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(a.sun_path, name.constData(), std::min<size_t>(name.size(), 100));
        return a;
    }
    void send(const QString& path, const QByteArray& bytes) {
        const sockaddr_un a = address(path);
        EXPECT_EQ(::sendto(datagramSocket(), bytes.constData(), bytes.size(), 0,
                           reinterpret_cast<const sockaddr*>(&a), sizeof(a)),
                  bytes.size());
    }
    ~Instance() override {
        for (int fd : sockets) {
            ::close(fd);
        }
    }
    QTemporaryDir runtime;
    QByteArray saved;
    QString key;
    std::vector<int> sockets;
};

TEST_F(Instance, SecondClaimIsRefusedAndBringsTheFirstBack) {
    LocalInstanceGuard first(key);
    ASSERT_TRUE(first.claim());
    int asked = 0;
    first.onActivationRequest([&asked] { ++asked; });

    LocalInstanceGuard second(key);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.firstAnswered());
    QTRY_COMPARE(asked, 1);
}

TEST_F(Instance, ALaterStartHandsItsActivationTokenOnForTheWindowItBringsBack) {
    LocalInstanceGuard first(key);
    ASSERT_TRUE(first.claim());
    QByteArray tokenWhenAsked;
    first.onActivationRequest([&] { tokenWhenAsked = qgetenv("XDG_ACTIVATION_TOKEN"); });

    qputenv("XDG_ACTIVATION_TOKEN", "kwin-4f1c_9a:2");
    LocalInstanceGuard second(key);
    EXPECT_FALSE(second.claim());
    qunsetenv("XDG_ACTIVATION_TOKEN");
    QTRY_COMPARE(tokenWhenAsked, QByteArray("kwin-4f1c_9a:2"));
    qunsetenv("XDG_ACTIVATION_TOKEN");
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

TEST_F(Instance, LockAndSocketLiveTogetherInThePrivateFolder) {
    LocalInstanceGuard first(key);
    ASSERT_TRUE(first.claim());
    EXPECT_TRUE(QFileInfo::exists(lockPath()));
    EXPECT_EQ(QFileInfo(first.socketPath()).absolutePath(), QFileInfo(lockPath()).absolutePath());
    EXPECT_TRUE(QFileInfo::exists(first.socketPath()));
    EXPECT_TRUE(ownerOnly(first.socketPath()));
}

TEST_F(Instance, WithoutARuntimeFolderAPrivateFolderInTempServes) {
    QTemporaryDir tmp;
    withoutRuntimeFolder(tmp.path());
    LocalInstanceGuard first(key);
    ASSERT_TRUE(first.claim());
    const QString folder = tmp.path() + "/velto-" + currentUserName();
    EXPECT_EQ(QFileInfo(first.socketPath()).absolutePath(), folder);
    EXPECT_TRUE(ownerOnly(folder));
    int asked = 0;
    first.onActivationRequest([&asked] { ++asked; });
    LocalInstanceGuard second(key);
    EXPECT_FALSE(second.claim());
    QTRY_COMPARE(asked, 1);
}

// Where no private folder or no lock can be had, the clock runs (and says why): a clock that
// may run twice beats one that silently never starts.
TEST_F(Instance, RunsAnywayWhenThereIsNoPrivatePlaceForTheLock) {
    {
        QTemporaryDir tmp; // a fallback folder that others may enter is not trusted
        withoutRuntimeFolder(tmp.path());
        const QString folder = tmp.path() + "/velto-" + currentUserName();
        ASSERT_TRUE(QDir().mkdir(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
        LocalInstanceGuard guard(key);
        EXPECT_TRUE(guard.claim());
        EXPECT_TRUE(guard.socketPath().isEmpty());
        restoreEnvironment();
    }
    {
        qputenv("XDG_RUNTIME_DIR", QByteArray("/nonexistent/velto-runtime")); // missing
        LocalInstanceGuard guard(key);
        EXPECT_TRUE(guard.claim());
        restoreEnvironment();
    }
    {
        // A folder, not empty, where the lock should be: it runs, and stays the only one.
        ASSERT_TRUE(QDir().mkpath(lockPath() + "/inside"));
        {
            LocalInstanceGuard one(key);
            EXPECT_TRUE(one.claim());
            LocalInstanceGuard two(key);
            EXPECT_FALSE(two.claim());
        }
        LocalInstanceGuard next(key);
        EXPECT_TRUE(next.claim());
    }
}

TEST_F(Instance, ReadOnlyRuntimeFolderLetsTheClockRun) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::ExeOwner);
    LocalInstanceGuard guard(key);
    EXPECT_TRUE(guard.claim());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(Instance, LockOfAnotherUserLeftInOurFolderIsTakenOver) {
    QFile stale(lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray("2147483646\nvelto\n") + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    // 65534 is "nobody" on Debian; only root may give a file away, others test the same case
    // with their own file, which they may remove as well.
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(qPrintable(lockPath()), 65534, 65534), 0);
    }
    LocalInstanceGuard guard(key);
    EXPECT_TRUE(guard.claim());
}

TEST_F(Instance, SecondStartWhileTheFirstIsStillStartingAsksOnceItListens) {
    // The first holds the lock but listens only a moment later.
    QLockFile starting(lockPath());
    ASSERT_TRUE(starting.tryLock(0));
    const QString socket = pathOf(".socket");
    QByteArray heard;
    std::thread first([&] {
        QThread::msleep(150);
        const int fd = datagramSocket(socket);
        char buffer[16];
        const auto n = ::recv(fd, buffer, sizeof(buffer), 0);
        heard = QByteArray(buffer, n > 0 ? static_cast<qsizetype>(n) : 0);
    });
    LocalInstanceGuard second(key);
    EXPECT_FALSE(second.claim());
    first.join();
    EXPECT_EQ(heard, QByteArray(LocalInstanceGuard::kShow));
}

TEST_F(Instance, SecondStartGivesUpSoonWhenTheFirstNeverListens) {
    QLockFile starting(lockPath());
    ASSERT_TRUE(starting.tryLock(0));
    LocalInstanceGuard second(key);
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(second.claim());
    EXPECT_FALSE(second.firstAnswered());
    EXPECT_LT(waited.elapsed(), 3000);
}

TEST_F(Instance, ALockFileThatNamesNoRunningClockIsTakenOver) {
    const QString lock = lockPath();
    const auto takenOver = [&] {
        LocalInstanceGuard guard(key);
        return guard.claim();
    };
    // Neither a process that is running (the clock that left it may have come back with the
    // same number: a container's first process) nor one named like us makes a lock held.
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray us = QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                          QCoreApplication::applicationName().toUtf8() + "\n" + host + "\n";
    for (const QByteArray& content :
         {QByteArray(), QByteArray("\x01garbage\n\n"), us, "1\nvelto\n" + host + "\n"}) {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_TRUE(takenOver()) << content.toStdString();
    }
    ASSERT_TRUE(QFile::link(runtime.path() + "/nowhere", lock));
    EXPECT_TRUE(takenOver()) << "a dangling link";
    ASSERT_EQ(::mkfifo(qPrintable(lock), 0600), 0);
    EXPECT_TRUE(takenOver()) << "a FIFO";
    ASSERT_TRUE(QDir().mkdir(lock));
    EXPECT_TRUE(takenOver()) << "a folder in the way: the clock runs alone";
    ASSERT_TRUE(QDir().rmdir(lock));

    // An empty file that a starting clock holds is a lock all the same.
    const int fd = ::open(qPrintable(lock), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(takenOver());
    ::close(fd);
}

TEST_F(Instance, OnlyTheShowMessageCountsAndTheSocketGoesWithTheGuard) {
    QString path;
    {
        LocalInstanceGuard first(key);
        ASSERT_TRUE(first.claim());
        path = first.socketPath();
        int asked = 0;
        first.onActivationRequest([&asked] { ++asked; });

        for (const QByteArray& garbage :
             {QByteArray("hide\n"), QByteArray("show"), QByteArray("show\nshow\n"), QByteArray(),
              QByteArray("show\n") + QByteArray(100, 'x'), QByteArray(5, '\0'),
              QByteArray("show \n"), QByteArray("show a b\n"),
              "show " + QByteArray(600, 'x') + '\n'}) {
            send(path, garbage);
        }
        QTest::qWait(200);
        EXPECT_EQ(asked, 0);

        LocalInstanceGuard later(key);
        EXPECT_FALSE(later.claim());
        QTRY_COMPARE(asked, 1);
        send(path, LocalInstanceGuard::kShow); // and again, later: heard too
        QTRY_COMPARE(asked, 2);

        // A flood brings the window back once at once and once after it, not once each.
        const int fd = datagramSocket();
        const sockaddr_un a = address(path);
        for (int sent = 0; sent < 300;) {
            if (::sendto(fd, LocalInstanceGuard::kShow, 5, MSG_DONTWAIT,
                         reinterpret_cast<const sockaddr*>(&a), sizeof(a)) == 5) {
                ++sent;
            } else {
                QCoreApplication::processEvents(); // a full queue: the clock reads it
            }
        }
        QTest::qWait(1500);
        EXPECT_GE(asked, 3);
        EXPECT_LE(asked, 4);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

} // namespace velto::test
