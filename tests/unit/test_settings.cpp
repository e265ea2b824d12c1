// What the user chose, kept between runs: brought back at start, written at each change,
// and a settings file that makes no sense said once and kept aside, never written over.
#include "fakes.h"
#include "platform/qt_platform.h"

#include <QFile>
#include <QTemporaryDir>

namespace velto::test {

using std::chrono::hours;
using std::chrono::minutes;

class Kept : public ProgramTest {
protected:
    /// The instant `offset` from the start at 10:00:00.
    static qlonglong at(std::chrono::seconds offset) {
        const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 0));
        return start.toSecsSinceEpoch() + offset.count();
    }
    void keep(const QVariantMap& values) {
        settings.kept = values;
        settings.kept.insert(QStringLiteral("version"), 1);
    }
};

TEST_F(Kept, WhatTheUserChoseComesBack) {
    keep({{"window/x", 300},
          {"window/y", 200},
          {"announcer/interval", 0},
          {"alarm/at", at(hours{21})},
          {"alarm/kind", "time"},
          {"punch/in", at(-minutes{125})}});
    startAt("10:00:00");
    EXPECT_EQ(window().pos(), QPoint(300, 200));
    EXPECT_EQ(model().announceInterval(), 0);
    EXPECT_EQ(model().alarmAt()->time_since_epoch().count(), at(hours{21}));
    EXPECT_EQ(model().alarmKind(), AlarmKind::TimeOfDay);
    EXPECT_EQ(model().alarmTime(), "07:00:00");
    EXPECT_EQ(model().punchMinutes(), 125);
    tickAfter(60);
    EXPECT_EQ(model().punchMinutes(), 126);
    EXPECT_TRUE(settings.setAsideFor.isEmpty());
}

TEST_F(Kept, EveryChangeIsWrittenAtOnceButNotTheRunningCount) {
    startAt("10:00:00");
    model().togglePunch();
    EXPECT_EQ(settings.kept.value("punch/in").toLongLong(), at({}));
    model().choosePreset(4); // ten minutes
    EXPECT_EQ(settings.kept.value("alarm/at").toLongLong(), at(minutes{10}));
    EXPECT_EQ(settings.kept.value("alarm/kind"), "countdown");
    model().stepAnnouncer();
    EXPECT_EQ(settings.kept.value("announcer/interval"), 20);
    const int saves = settings.saves;
    tickAfter(120); // the punch count goes on, what is kept stays
    EXPECT_EQ(settings.saves, saves);
    model().toggleAlarm();
    EXPECT_FALSE(settings.kept.contains("alarm/at"));
}

TEST_F(Kept, APlaceTheDesktopDoesNotTellIsNotWrittenOverTheKeptOne) {
    desktop.manages = false; // Wayland
    keep({{"window/x", 300}, {"window/y", 200}});
    startAt("10:00:00");
    window().move(0, 0); // as far as Qt knows
    model().stepAnnouncer();
    EXPECT_EQ(settings.kept.value("window/x"), 300);
    EXPECT_EQ(settings.kept.value("window/y"), 200);
}

TEST_F(Kept, AnAlarmDueWhileTheClockWasNotRunningRingsAtOnceIfRecent) {
    keep({{"alarm/at", at(-minutes{59})}});
    startAt("10:00:00");
    tickAfter(1);
    EXPECT_EQ(rings(), 1);
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(notifier.posted,
              QStringList({"Velto: Alarm 09:01, rang at 10:00: the computer was asleep"}));
}

TEST_F(Kept, AnAlarmDueLongAgoStaysOff) {
    keep({{"alarm/at", at(-hours{24})}});
    startAt("10:00:00");
    tickAfter(1);
    EXPECT_EQ(rings(), 0);
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(notifier.posted,
              QStringList({"Velto: Alarm 10:00 passed while Velto was not running"}));
}

TEST_F(Kept, ValuesThatMakeNoSenseAreSetAsideAndTheRestKept) {
    keep({{"announcer/interval", 7}, {"alarm/at", "soon"}, {"punch/in", at(-minutes{3})}});
    startAt("10:00:00");
    EXPECT_EQ(model().announceInterval(), 15);
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(model().punchMinutes(), 3);
    ASSERT_EQ(settings.setAsideFor.size(), 1);
    EXPECT_TRUE(settings.setAsideFor[0].contains("alarm/at \"soon\""));
}

TEST_F(Kept, NothingOfALaterVersionsFileIsTrusted) {
    settings.kept = {{"version", 2}, {"announcer/interval", 0}};
    startAt("10:00:00");
    EXPECT_EQ(model().announceInterval(), 15);
    EXPECT_EQ(settings.setAsideFor.size(), 1);
}

TEST(SettingsFile, KeepsTheValuesAndSetsABadFileAsideOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("velto/velto.conf"));
    FileSettingsStore(path).save({{"version", 1}, {"alarm/at", 1800000000}});
    EXPECT_EQ(FileSettingsStore(path).load().value("alarm/at").toLongLong(), 1800000000);

    Console console;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\x01\x02 this is no settings file \xff\n");
    file.close();
    FileSettingsStore store(path);
    store.load();
    store.setAside(QStringLiteral("are not this clock's settings"));
    store.setAside(QStringLiteral("said twice"));
    store.save({{"version", 1}});
    QFile bad(path + QStringLiteral(".bad"));
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bad.readAll().contains("this is no settings file"));
    EXPECT_EQ(FileSettingsStore(path).load().value("version"), 1);
    ASSERT_EQ(Console::lines().size(), 1);
    EXPECT_TRUE(Console::lines()[0].contains(path + ".bad"));
}

TEST(SettingsFile, AFolderInTheWayIsSaidAndLeftAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("velto.conf"));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inside")));
    Console console;
    FileSettingsStore store(path);
    EXPECT_TRUE(store.load().isEmpty());
    store.save({{"version", 1}});
    EXPECT_TRUE(QFileInfo(path + QStringLiteral("/inside")).isDir());
    ASSERT_EQ(Console::lines().size(), 1);
    EXPECT_TRUE(Console::lines()[0].contains("is not a file"));
}

TEST(SettingsFile, AFileThatCannotBeWrittenIsSaidOnce) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("velto"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable() || QFile(folder + "/probe").open(QIODevice::WriteOnly)) {
        GTEST_SKIP() << "running as a user who writes everywhere";
    }
    Console console;
    FileSettingsStore store(folder + QStringLiteral("/velto.conf"));
    store.save({{"version", 1}});
    store.save({{"version", 1}, {"announcer/interval", 0}});
    ASSERT_EQ(Console::lines().size(), 1);
    EXPECT_TRUE(Console::lines()[0].contains("cannot be written"));
}

} // namespace velto::test
