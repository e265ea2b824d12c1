// What the user chose, kept between runs: brought back at start, written at each change,
// and a settings file that makes no sense said once and kept aside, never written over.
#include "fakes.h"
#include "platform/file_settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>
#include <vector>

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
    EXPECT_EQ(model().alarmTime(), QTime(7, 0));
    EXPECT_EQ(model().punchMinutes(), 125);
    tickAfter(60);
    EXPECT_EQ(model().punchMinutes(), 126);
    EXPECT_TRUE(settings.setAsideFor.isEmpty());
}

TEST_F(Kept, EveryChangeIsWrittenAtOnceButNotTheRunningCount) {
    startAt("10:00:00");
    model().togglePunch();
    EXPECT_FALSE(settings.kept.contains("punch/in")) << "the punch log keeps it";
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

TEST_F(Kept, WhatALaterVersionKeepsIsWrittenBack) {
    keep({{"later/choice", "kept"}});
    startAt("10:00:00");
    model().stepAnnouncer();
    EXPECT_EQ(settings.kept.value("later/choice"), "kept");
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
    EXPECT_TRUE(settings.setAsideFor[0].contains("announcer/interval \"7\""));
}

TEST_F(Kept, APunchInStillToComeIsSaidAndCountsFromNow) {
    keep({{"punch/in", at(minutes{30})}});
    Console console;
    startAt("10:00:00");
    tickAfter(120);
    EXPECT_EQ(model().punchMinutes(), 2);
    ASSERT_EQ(Console::lines().size(), 1);
    EXPECT_TRUE(Console::lines()[0].contains("still to come"));
}

TEST_F(Kept, APlaceIsKeptOnlyOnceTheWindowWasPlaced) {
    startAt("10:00:00"); // and ended before the window manager placed the window
    model().stepAnnouncer();
    EXPECT_FALSE(settings.kept.contains("window/x"));
    window().move(40, 50);
    QTRY_COMPARE(settings.kept.value("window/x"), 40);
    EXPECT_EQ(settings.kept.value("window/y"), 50);
}

TEST_F(Kept, WhatCouldNotBeWrittenIsWrittenAtTheNextMinute) {
    startAt("10:00:00");
    settings.writable = false; // a full disk
    model().stepAnnouncer();
    settings.writable = true;
    tickUntil("10:01:00");
    EXPECT_EQ(settings.kept.value("announcer/interval"), 20);
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

// Whatever is found where the settings go, the clock starts at once with its defaults and
// says so in one line: what is no file is left alone and nothing kept, a file it cannot read
// is set aside and the settings written anew.
TEST(SettingsFile, WhatCannotBeReadIsRefusedOrSetAsideWithOneLine) {
    const auto text = [](qint64 size) {
        QByteArray bytes("[General]\nversion=1\n");
        return bytes + "; " + QByteArray(size - bytes.size() - 3, 'x') + '\n';
    };
    struct Case {
        const char* name;
        std::function<bool(const QString&)> make;
        const char* said;
        bool setAside;
    };
    const std::vector<Case> cases{
        {"a folder", [](const QString& p) { return QDir().mkpath(p + "/inside"); }, "is not a file",
         false},
        {"a FIFO", [](const QString& p) { return ::mkfifo(qPrintable(p), 0600) == 0; },
         "is not a file", false},
        {"a link to a device", [](const QString& p) { return QFile::link("/dev/zero", p); },
         "is not a file", false},
        {"a loop of links",
         [](const QString& p) { return QFile::link(p + ".2", p) && QFile::link(p, p + ".2"); },
         "loop", true},
        {"a file too large",
         [&text](const QString& p) {
             QFile file(p);
             return file.open(QIODevice::WriteOnly) &&
                    file.write(text(FileSettingsStore::kLargestFile + 1)) > 0;
         },
         "larger", true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("velto.conf"));
        ASSERT_TRUE(c.make(path)) << c.name;
        Console console;
        FileSettingsStore store(path);
        EXPECT_TRUE(store.load().isEmpty()) << c.name;
        EXPECT_EQ(store.save({{"version", 1}}), c.setAside) << c.name;
        ASSERT_EQ(Console::lines().size(), 1) << c.name;
        EXPECT_TRUE(Console::lines()[0].contains(c.said)) << c.name;
        EXPECT_EQ(QFileInfo::exists(path + ".bad") || QFileInfo(path + ".bad").isSymLink(),
                  c.setAside)
            << c.name;
        EXPECT_EQ(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink(), c.setAside) << c.name;
    }
}

TEST(SettingsFile, WhatTheClockDoesNotKnowStaysAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("velto.conf"));
    // A later version's key, a list in lists deep enough to exhaust a recursive reader.
    QByteArray nested("@Variant(");
    for (int i = 0; i < 2000; ++i) {
        nested += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    }
    const QByteArray unknown = "later=" + nested + ")\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nversion=1\n" + unknown + "\n[announcer]\ninterval=15\n");
    file.close();
    FileSettingsStore store(path);
    QVariantMap values = store.load();
    EXPECT_EQ(values.value("announcer/interval"), 15);
    values["announcer/interval"] = 0;
    ASSERT_TRUE(store.save(values));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\n" + unknown));
    EXPECT_EQ(FileSettingsStore(path).load().value("announcer/interval"), 0);
}

TEST(SettingsFile, TwoClocksOnOneFileKeepEachOthersChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("velto.conf"));
    const QVariantMap start{{"version", 1}, {"announcer/interval", 15}, {"window/x", 10}};
    ASSERT_TRUE(FileSettingsStore(path).save(start));
    FileSettingsStore one(path);
    FileSettingsStore other(path);
    QVariantMap mine = one.load();
    QVariantMap theirs = other.load();
    mine["announcer/interval"] = 0;
    ASSERT_TRUE(one.save(mine));
    theirs["window/x"] = 20;
    ASSERT_TRUE(other.save(theirs));
    const QVariantMap both = FileSettingsStore(path).load();
    EXPECT_EQ(both.value("announcer/interval"), 0);
    EXPECT_EQ(both.value("window/x"), 20);
}

// A lock file left by a writer that was killed, or something that is no lock where it goes,
// holds no save up for longer than the wait for a writer at work.
TEST(SettingsFile, ALockThatNobodyHoldsHoldsNothingUp) {
    const std::vector<std::pair<const char*, std::function<bool(const QString&)>>> locks{
        {"empty", [](const QString& p) { return QFile(p).open(QIODevice::WriteOnly); }},
        {"a FIFO", [](const QString& p) { return ::mkfifo(qPrintable(p), 0600) == 0; }},
        {"a folder", [](const QString& p) { return QDir().mkdir(p); }},
    };
    for (const auto& [name, make] : locks) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("velto.conf"));
        ASSERT_TRUE(make(path + ".lock")) << name;
        FileSettingsStore store(path);
        QElapsedTimer took;
        took.start();
        EXPECT_TRUE(store.save({{"version", 1}})) << name;
        EXPECT_LT(took.elapsed(), FileSettingsStore::kLockPatience.count()) << name;
        EXPECT_EQ(FileSettingsStore(path).load().value("version"), 1) << name;
    }
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
