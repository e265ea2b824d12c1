// The punch log: sessions kept in a real SQLite file, totals by local day, corrections,
// exports, and a file or a lock that gets in the way.
#include "fakes.h"
#include "observers/punch_export.h"
#include "observers/punch_log.h"
#include "views/punch_log_window.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTemporaryDir>

namespace velto::test {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

namespace {

const QTimeZone kBerlin("Europe/Berlin");

Instant berlin(QDate day, QTime time) {
    return Instant{seconds{QDateTime(day, time, kBerlin).toSecsSinceEpoch()}};
}

PunchSession finished(qint64 id, Instant start, Instant end) {
    const auto offset = [](Instant t) {
        return seconds{kBerlin.offsetFromUtc(QDateTime::fromSecsSinceEpoch(epochSeconds(t)))};
    };
    return {id, start, end, offset(start), offset(end)};
}

/// A database of another program's, with the connection closed again.
void writeForeignDatabase(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "foreign");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE notes (text)"));
    }
    QSqlDatabase::removeDatabase("foreign");
}

} // namespace

TEST(PunchTotals, CountRealMinutesPerLocalDay) {
    const QDate autumn(2026, 10, 25); // Berlin's clocks go back at 03:00
    const QDate spring(2026, 3, 29);  // and forward at 02:00
    const QDate winter(2026, 12, 8);
    struct Case {
        const char* what;
        Instant start, end;
        std::vector<DayTotal> totals;
    };
    const std::vector<Case> cases = {
        {"across the autumn change",
         berlin(autumn, {1, 30}),
         berlin(autumn, {3, 30}),
         {{autumn, minutes{180}}}},
        {"across the spring change",
         berlin(spring, {1, 30}),
         berlin(spring, {3, 30}),
         {{spring, minutes{60}}}},
        {"across midnight",
         berlin(winter, {22, 0}),
         berlin(winter.addDays(1), {2, 30}),
         {{winter, minutes{120}}, {winter.addDays(1), minutes{150}}}},
        {"a whole 25-hour day",
         berlin(autumn, {0, 0}),
         berlin(autumn.addDays(1), {0, 0}),
         {{autumn, hours{25}}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dayTotals({finished(1, c.start, c.end)}, kBerlin, {}), c.totals) << c.what;
    }
}

TEST(PunchExport, CsvHasLocalTimesWithTheirOffsetAndJsonTheDays) {
    const QDate autumn(2026, 10, 25);
    // The repeated hour: 02:30 twice, told apart by the offset.
    const Instant first = Instant{seconds{QDateTime(autumn, {0, 30}, Qt::UTC).toSecsSinceEpoch()}};
    std::vector<PunchSession> sessions = {finished(1, first, first + hours{1}),
                                          {2, first + hours{2}, std::nullopt, hours{1}, {}}};
    EXPECT_EQ(exportSessions(sessions, ExportFormat::Csv, kBerlin),
              "start,end,minutes,hours\r\n"
              "2026-10-25T02:30:00+02:00,2026-10-25T02:30:00+01:00,60,1.00\r\n"); // not the running

    const QJsonObject json =
        QJsonDocument::fromJson(exportSessions(sessions, ExportFormat::Json, kBerlin)).object();
    EXPECT_EQ(json["version"].toInt(), 1);
    EXPECT_EQ(json["sessions"][0]["startUtc"].toInteger(), epochSeconds(first));
    EXPECT_EQ(json["days"][0]["date"].toString(), "2026-10-25");
    EXPECT_EQ(json["days"][0]["minutes"].toInt(), 60);
}

TEST(PunchExport, BadFormatsDatesAndRangesEndWithStatusTwo) {
    const std::vector<QStringList> mistakes = {
        {"--export", "xml"},
        {"--export", "csv", "--from", "2026-02-30"},
        {"--export", "csv", "--to", "08.12.2026"},
        {"--export", "csv", "--from", "2026-12-09", "--to", "2026-12-08"},
    };
    for (const QStringList& m : mistakes) {
        EXPECT_EQ(runExport(QStringList{"velto"} + m), 2) << m.join(' ').toStdString();
    }
    EXPECT_EQ(runExport({"velto", "--help"}), std::nullopt);
}

class PunchStoreFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("velto/punch.sqlite"); }
    const Instant nine = berlin(QDate(2026, 12, 8), {9, 0});
};

TEST_F(PunchStoreFile, CorrectionsThatMakeNoSenseAreRefused) {
    PunchStore store(path());
    ASSERT_TRUE(store.open());
    ASSERT_TRUE(store.punchIn(nine, hours{1}));
    ASSERT_TRUE(store.punchOut(nine + hours{2}, hours{1}));
    ASSERT_TRUE(store.punchIn(nine + hours{4}, hours{1})); // running
    const qint64 id = store.sessions()->front().id;
    struct Case {
        const char* what;
        Instant start, end;
        PunchStore::Edit result;
    };
    const std::vector<Case> cases = {
        {"an end before the start", nine + hours{1}, nine, PunchStore::Edit::EndBeforeStart},
        {"into the running session", nine, nine + hours{5}, PunchStore::Edit::Overlaps},
        {"earlier and longer", nine - hours{1}, nine + hours{3}, PunchStore::Edit::Done},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(store.correct(finished(id, c.start, c.end)), c.result) << c.what;
    }
    EXPECT_EQ(store.sessions()->front().start, nine - hours{1});
    EXPECT_EQ(store.sessions(nine + hours{3})->size(), 1) << "from 12:00 only the running one";
}

TEST_F(PunchStoreFile, AFileThatIsNotOursIsMovedAsideAndANewLogBegun) {
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"not a database",
         [this] {
             QFile f(path());
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(5000, 'x'));
         }},
        {"another program's database", [this] { writeForeignDatabase(path()); }},
        {"a log with a damaged page",
         [this] {
             {
                 PunchStore store(path());
                 for (int i = 0; i < 200; ++i) { // more than one page
                     ASSERT_TRUE(store.punchIn(nine + hours{i}, {}) &&
                                 store.punchOut(nine + hours{i} + minutes{30}, {}));
                 }
             }
             QFile f(path());
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(f.size() - 2000);
             f.write(QByteArray(1000, '\xff'));
         }},
    };
    for (const auto& [what, make] : cases) {
        QFile::remove(path() + ".bad");
        QDir().mkpath(dir.filePath("velto"));
        QFile::remove(path());
        make();
        const QByteArray before = [this] {
            QFile f(path());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        PunchStore store(path());
        ASSERT_TRUE(store.open()) << what << store.error().toStdString();
        EXPECT_EQ(store.setAside(), path() + ".bad") << what;
        QFile bad(path() + ".bad");
        ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
        EXPECT_EQ(bad.readAll(), before) << what;
        EXPECT_TRUE(store.punchIn(nine, hours{1})) << what;
    }
}

TEST_F(PunchStoreFile, TwoClocksOnOneLogRunOneSessionAtATime) {
    PunchStore one(path());
    PunchStore two(path());
    ASSERT_TRUE(one.open() && two.open());
    EXPECT_TRUE(one.punchIn(nine, hours{1}));
    EXPECT_TRUE(two.punchIn(nine + minutes{5}, hours{1}));
    EXPECT_TRUE(two.punchOut(nine + hours{1}, hours{1}));
    const auto sessions = one.sessions();
    ASSERT_EQ(sessions->size(), 1);
    EXPECT_EQ(sessions->front(), finished(sessions->front().id, nine, nine + hours{1}));
}

TEST_F(PunchStoreFile, ALaterSchemaIsLeftAlone) {
    {
        PunchStore store(path());
        ASSERT_TRUE(store.open());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "later");
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99"));
    }
    QSqlDatabase::removeDatabase("later");
    PunchStore store(path());
    EXPECT_FALSE(store.open());
    EXPECT_TRUE(store.error().contains("later version"));
    EXPECT_TRUE(store.setAside().isEmpty());
}

class PunchLogFile : public ModelTest {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("punch.sqlite"); }
};

TEST_F(PunchLogFile, APunchThatCannotBeWrittenIsSaidOnceAndWrittenLater) {
    const QString log = dir.filePath("velto/punch.sqlite");
    const auto other = [] { return QSqlDatabase::database("other", false); };
    struct Case {
        const char* what;
        std::function<void()> block, unblock;
    };
    const std::vector<Case> cases = {
        {"locked by another process",
         [&] {
             ASSERT_TRUE(PunchStore(log).open());
             QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
             db.setDatabaseName(log);
             ASSERT_TRUE(db.open());
             QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
         },
         [&] {
             QSqlQuery(other()).exec(QStringLiteral("COMMIT"));
             other().close();
             QSqlDatabase::removeDatabase("other");
         }},
        {"a file where its folder goes",
         [this] {
             QFile f(dir.filePath("velto"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         [this] { QFile::remove(dir.filePath("velto")); }},
    };
    for (const Case& c : cases) {
        QDir(dir.filePath("velto")).removeRecursively();
        startAt("09:00:00");
        c.block();
        Console console;
        PunchLog punches(model(), clock, log, nullptr, 50);
        punches.restore();
        model().togglePunch();
        tickUntil("09:02:00");
        EXPECT_EQ(model().punchMinutes(), 2) << c.what << ": the face goes on";
        EXPECT_TRUE(punches.pending()) << c.what;
        c.unblock();
        tickUntil("09:03:00");
        EXPECT_FALSE(punches.pending()) << c.what;
        const auto sessions = punches.store().sessions();
        ASSERT_TRUE(sessions && sessions->size() == 1) << c.what;
        EXPECT_EQ(sessions->front().start, model().punchedInAt()) << c.what;
        ASSERT_EQ(Console::lines().size(), 2) << Console::lines().join('\n').toStdString();
        EXPECT_TRUE(Console::lines()[1].contains("written again")) << c.what;
        model().punchOut();
    }
}

TEST_F(PunchLogFile, TheRunningSessionComesBackAndACorrectionMovesTheCount) {
    startAt("09:00:00");
    {
        PunchLog log(model(), clock, path());
        log.restore();
        EXPECT_FALSE(QFile::exists(path())); // nothing punched, nothing made
        model().togglePunch();
    } // ended without a punch-out, as a crash would
    model().punchOut();
    tickUntil("09:30:00");
    PunchLog log(model(), clock, path());
    log.restore();
    EXPECT_EQ(model().punchMinutes(), 30);
    const PunchSession running = log.store().sessions()->front();
    EXPECT_EQ(log.correct(running.id, running.start - minutes{15}, std::nullopt),
              PunchStore::Edit::Done);
    EXPECT_EQ(model().punchMinutes(), 45);
}

class PunchLogProgram : public ProgramTest {
protected:
    QTemporaryDir dir;
};

TEST_F(PunchLogProgram, AKeptPunchInIsCarriedOverAndTheTrayOpensTheLog) {
    clock.at("10:00:00");
    const qint64 tenMinutesAgo = clock.msSinceEpoch() / 1000 - 600;
    settings.kept = {{"version", 1}, {"punch/in", tenMinutesAgo}};
    app.keepPunchLog(dir.filePath("punch.sqlite"));
    startAt("10:00:00");
    model().stepAnnouncer(); // a change of settings: written without the punch-in
    EXPECT_FALSE(settings.kept.contains("punch/in"));
    ASSERT_NE(app.punchLog(), nullptr);
    EXPECT_EQ(app.punchLog()->store().sessions()->size(), 1);

    tray.menu.at(static_cast<size_t>(TrayEntry::PunchLog)).onChosen();
    PunchLogWindow* w = app.punchLogWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    model().togglePunch(); // out, 10 minutes
    const QStandardItem* week = w->rows().item(0);
    ASSERT_NE(week, nullptr);
    EXPECT_EQ(w->rows().item(0, 3)->text(), "0:10");
    EXPECT_EQ(week->child(0)->child(0, 2)->text(), "10:00");

    const qint64 id = w->shown().front().id;
    const QDateTime tenOClock = clock.wallClock();
    EXPECT_FALSE(w->correct(id, tenOClock, tenOClock.addSecs(-60)));
    EXPECT_TRUE(w->notice().contains("after the start"));
    EXPECT_TRUE(w->remove(id));
    EXPECT_TRUE(w->shown().empty());
    w->undo();
    EXPECT_EQ(w->shown().size(), 1);
}

} // namespace velto::test
