#include "observers/punch_log.h"

#include "platform/console.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <map>

namespace velto {

using std::chrono::seconds;

namespace {

Instant instantOf(const QVariant& v) {
    return Instant{seconds{v.toLongLong()}};
}

// SQLite's primary result codes that mean "not a database of ours", as opposed to a file
// that cannot be reached now.
bool meansCorrupt(const QString& code) {
    const int c = code.toInt();
    return c == 11 /* SQLITE_CORRUPT */ || c == 26 /* SQLITE_NOTADB */;
}

} // namespace

std::vector<DayTotal> dayTotals(const std::vector<PunchSession>& sessions, const QTimeZone& zone,
                                Instant now) {
    std::map<QDate, seconds> days;
    for (const PunchSession& s : sessions) {
        const qint64 end = epochSeconds(s.start + s.worked(now));
        qint64 t = epochSeconds(s.start);
        while (t < end) {
            const QDate day = QDateTime::fromSecsSinceEpoch(t, zone).date();
            // Midnight as the zone had it: a day of 23 or 25 hours is as long as it was.
            const qint64 midnight = QDateTime(day.addDays(1), QTime(0, 0), zone).toSecsSinceEpoch();
            const qint64 until = std::min(end, std::max(midnight, t + 1));
            days[day] += seconds{until - t};
            t = until;
        }
    }
    std::vector<DayTotal> totals;
    totals.reserve(days.size());
    for (const auto& [day, worked] : days) {
        totals.push_back({day, worked});
    }
    return totals;
}

// ---- the store ----

PunchStore::PunchStore(QString path, Mode mode, int busyTimeoutMs)
    : path_(std::move(path)),
      connection_(QStringLiteral("punch-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      mode_(mode), busyTimeoutMs_(busyTimeoutMs) {}

PunchStore::~PunchStore() {
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString PunchStore::defaultPath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data + QStringLiteral("/velto/punch.sqlite");
}

bool PunchStore::fail(const QString& what, const QString& why) {
    error_ = QStringLiteral("%1 %2: %3").arg(what, path_, why);
    return false;
}

bool PunchStore::open() {
    if (open_) {
        return true;
    }
    if (mode_ == Mode::ReadOnly && !QFileInfo::exists(path_)) {
        return fail(QStringLiteral("no punch log at"), QStringLiteral("nothing punched yet"));
    }
    if (mode_ == Mode::ReadWrite && !QDir().mkpath(QFileInfo(path_).absolutePath())) {
        return fail(QStringLiteral("cannot make the folder of"),
                    QStringLiteral("permission denied or no space"));
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        {
            QSqlDatabase db =
                QSqlDatabase::contains(connection_)
                    ? QSqlDatabase::database(connection_, false)
                    : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
            if (!db.isValid()) {
                return fail(QStringLiteral("cannot open"),
                            QStringLiteral("Qt's SQLite driver (libqt6sql6-sqlite) is missing"));
            }
            db.setDatabaseName(path_);
            QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_);
            if (mode_ == Mode::ReadOnly) {
                options += QStringLiteral(";QSQLITE_OPEN_READONLY");
            }
            db.setConnectOptions(options);
            if (!db.open()) {
                errorCode_ = db.lastError().nativeErrorCode();
                return fail(QStringLiteral("cannot open"), db.lastError().databaseText());
            }
        }
        if (migrate()) {
            open_ = true;
            error_.clear();
            return true;
        }
        QSqlDatabase::database(connection_, false).close();
        if (mode_ == Mode::ReadOnly || attempt > 0 || !setAside_.isEmpty() ||
            !meansCorrupt(errorCode_)) {
            return false;
        }
        // Not ours, or broken: kept aside for whoever wants it, and a new record begun.
        const QString bad = path_ + QStringLiteral(".bad");
        QFile::remove(bad);
        if (!QFile::rename(path_, bad)) {
            return fail(QStringLiteral("cannot move aside"), QStringLiteral("permission denied"));
        }
        QFile::remove(path_ + QStringLiteral("-wal"));
        QFile::remove(path_ + QStringLiteral("-shm"));
        setAside_ = bad;
    }
    return false;
}

bool PunchStore::migrate() {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    const auto failed = [this, &q](const QString& what) {
        errorCode_ = q.lastError().nativeErrorCode();
        return fail(what, q.lastError().databaseText());
    };
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        return failed(QStringLiteral("cannot read"));
    }
    const int version = q.value(0).toInt();
    if (version > kSchema) {
        errorCode_.clear();
        return fail(QStringLiteral("cannot use"),
                    QStringLiteral("written by a later version of Velto (schema %1)").arg(version));
    }
    if (version == 0) {
        // Another program's database is left as it was, not even switched to WAL.
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name != 'sessions'"
                                   " AND name != 'sessions_by_start'")) ||
            !q.next()) {
            return failed(QStringLiteral("cannot read"));
        }
        if (q.value(0).toInt() != 0 || mode_ == Mode::ReadOnly) {
            errorCode_ = QStringLiteral("26");
            return fail(QStringLiteral("cannot use"), QStringLiteral("not a punch log"));
        }
    }
    if (mode_ == Mode::ReadOnly) {
        return true;
    }
    // A damaged page shows only when it is read: looked for once, at the start (the log of a
    // year reads in milliseconds), rather than at a punch that could then not be written.
    if (!q.exec(QStringLiteral("PRAGMA quick_check(1)")) || !q.next()) {
        return failed(QStringLiteral("cannot read"));
    }
    if (q.value(0).toString() != QLatin1String("ok")) {
        errorCode_ = QStringLiteral("11");
        return fail(QStringLiteral("cannot use"), q.value(0).toString());
    }
    // Readers go on while a clock writes, and a crash loses no committed punch.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
        return failed(QStringLiteral("cannot open"));
    }
    if (version == kSchema) {
        return true;
    }
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return failed(QStringLiteral("cannot write"));
    }
    // Each later schema adds its step here, from the version before it. Two clocks starting
    // on a new file at once both get here, one after the other.
    const bool made =
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS sessions (id INTEGER PRIMARY KEY,"
                              " start_utc INTEGER NOT NULL, start_offset INTEGER NOT NULL,"
                              " end_utc INTEGER, end_offset INTEGER,"
                              " CHECK (end_utc IS NULL OR end_utc >= start_utc))")) &&
        q.exec(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS sessions_by_start ON sessions (start_utc)")) &&
        q.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchema)) &&
        q.exec(QStringLiteral("COMMIT"));
    if (!made) {
        const bool ok = failed(QStringLiteral("cannot write"));
        (void)QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return ok;
    }
    return true;
}

std::optional<std::vector<PunchSession>> PunchStore::sessions(std::optional<Instant> from,
                                                              std::optional<Instant> to) {
    if (!open()) {
        return std::nullopt;
    }
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral(
        "SELECT id, start_utc, start_offset, end_utc, end_offset FROM sessions"
        " WHERE (:to IS NULL OR start_utc < :to) AND"
        " (:from IS NULL OR end_utc IS NULL OR end_utc > :from) ORDER BY start_utc, id"));
    q.bindValue(QStringLiteral(":to"), to ? QVariant(epochSeconds(*to)) : QVariant());
    q.bindValue(QStringLiteral(":from"), from ? QVariant(epochSeconds(*from)) : QVariant());
    if (!q.exec()) {
        errorCode_ = q.lastError().nativeErrorCode();
        fail(QStringLiteral("cannot read"), q.lastError().databaseText());
        return std::nullopt;
    }
    std::vector<PunchSession> found;
    while (q.next()) {
        PunchSession s;
        s.id = q.value(0).toLongLong();
        s.start = instantOf(q.value(1));
        s.startOffset = seconds{q.value(2).toLongLong()};
        if (!q.value(3).isNull()) {
            s.end = instantOf(q.value(3));
            s.endOffset = seconds{q.value(4).toLongLong()};
        }
        found.push_back(s);
    }
    return found;
}

namespace {

/// Runs `statements` in one transaction that takes the write lock at once; false and rolled
/// back when one fails.
template <class Statements>
bool inTransaction(const QSqlDatabase& db, QString& code, QString& why, Statements statements) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        code = q.lastError().nativeErrorCode();
        why = q.lastError().databaseText();
        return false;
    }
    if (!statements(q) || !q.exec(QStringLiteral("COMMIT"))) {
        code = q.lastError().nativeErrorCode();
        why = q.lastError().databaseText();
        (void)QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

} // namespace

bool PunchStore::punchIn(Instant start, seconds offset) {
    if (!open()) {
        return false;
    }
    QString why;
    const bool ok = inTransaction(
        QSqlDatabase::database(connection_, false), errorCode_, why, [&](QSqlQuery& q) {
            // One running session at a time, whichever clock punched in first.
            q.prepare(
                QStringLiteral("INSERT INTO sessions (start_utc, start_offset) SELECT ?, ?"
                               " WHERE NOT EXISTS (SELECT 1 FROM sessions WHERE end_utc IS NULL)"));
            q.addBindValue(epochSeconds(start));
            q.addBindValue(static_cast<qint64>(offset.count()));
            return q.exec();
        });
    return ok || fail(QStringLiteral("cannot write"), why);
}

bool PunchStore::punchOut(Instant end, seconds offset) {
    if (!open()) {
        return false;
    }
    QString why;
    const bool ok = inTransaction(
        QSqlDatabase::database(connection_, false), errorCode_, why, [&](QSqlQuery& q) {
            // A clock set back since the punch-in ends the session where it began.
            q.prepare(QStringLiteral("UPDATE sessions SET end_utc = max(start_utc, ?),"
                                     " end_offset = ? WHERE end_utc IS NULL"));
            q.addBindValue(epochSeconds(end));
            q.addBindValue(static_cast<qint64>(offset.count()));
            return q.exec();
        });
    return ok || fail(QStringLiteral("cannot write"), why);
}

PunchStore::Edit PunchStore::correct(const PunchSession& s) {
    if (s.end && *s.end <= s.start) {
        return Edit::EndBeforeStart;
    }
    if (!open()) {
        return Edit::NotWritten;
    }
    bool overlaps = false;
    QString why;
    const bool ok = inTransaction(
        QSqlDatabase::database(connection_, false), errorCode_, why, [&](QSqlQuery& q) {
            q.prepare(
                QStringLiteral("SELECT count(*) FROM sessions WHERE id != ? AND start_utc < ? AND"
                               " (end_utc IS NULL OR end_utc > ?)"));
            q.addBindValue(s.id);
            q.addBindValue(s.end ? epochSeconds(*s.end) : std::numeric_limits<qint64>::max());
            q.addBindValue(epochSeconds(s.start));
            if (!q.exec() || !q.next()) {
                return false;
            }
            overlaps = q.value(0).toInt() > 0;
            if (overlaps) {
                return true; // nothing to change
            }
            q.prepare(QStringLiteral("UPDATE sessions SET start_utc = ?, start_offset = ?,"
                                     " end_utc = ?, end_offset = ? WHERE id = ?"));
            q.addBindValue(epochSeconds(s.start));
            q.addBindValue(static_cast<qint64>(s.startOffset.count()));
            q.addBindValue(s.end ? QVariant(epochSeconds(*s.end)) : QVariant());
            q.addBindValue(s.endOffset ? QVariant(static_cast<qint64>(s.endOffset->count()))
                                       : QVariant());
            q.addBindValue(s.id);
            return q.exec();
        });
    if (!ok) {
        fail(QStringLiteral("cannot write"), why);
        return Edit::NotWritten;
    }
    return overlaps ? Edit::Overlaps : Edit::Done;
}

bool PunchStore::remove(qint64 id) {
    if (!open()) {
        return false;
    }
    QString why;
    const bool ok = inTransaction(
        QSqlDatabase::database(connection_, false), errorCode_, why, [&](QSqlQuery& q) {
            q.prepare(QStringLiteral("DELETE FROM sessions WHERE id = ?"));
            q.addBindValue(id);
            return q.exec();
        });
    return ok || fail(QStringLiteral("cannot write"), why);
}

bool PunchStore::restore(const PunchSession& s) {
    if (!open()) {
        return false;
    }
    QString why;
    const bool ok = inTransaction(
        QSqlDatabase::database(connection_, false), errorCode_, why, [&](QSqlQuery& q) {
            q.prepare(QStringLiteral("INSERT INTO sessions (id, start_utc, start_offset, end_utc,"
                                     " end_offset) VALUES (?, ?, ?, ?, ?)"));
            q.addBindValue(s.id);
            q.addBindValue(epochSeconds(s.start));
            q.addBindValue(static_cast<qint64>(s.startOffset.count()));
            q.addBindValue(s.end ? QVariant(epochSeconds(*s.end)) : QVariant());
            q.addBindValue(s.endOffset ? QVariant(static_cast<qint64>(s.endOffset->count()))
                                       : QVariant());
            return q.exec();
        });
    return ok || fail(QStringLiteral("cannot write"), why);
}

// ---- the observer ----

PunchLog::PunchLog(ClockModel& model, const Clock& clock, const QString& path, QObject* parent,
                   int busyTimeoutMs)
    : QObject(parent), model_(model), clock_(clock),
      store_(path, PunchStore::Mode::ReadWrite, busyTimeoutMs) {}

void PunchLog::restore() {
    // Kept in the settings by an earlier version: written once the record is read, unless the
    // record has a running session of its own.
    seenIn_ = model_.punchedInAt();
    if (seenIn_) {
        waiting_.push_back({true, *seenIn_});
    }
    unread_ = true;
    connect(&model_, &ClockModel::punchChanged, this, &PunchLog::follow);
    connect(&model_, &ClockModel::timeChanged, this, [this](bool fullMinute) {
        if (fullMinute && (pending() || unread_)) {
            flush();
        }
    });
    flush();
}

void PunchLog::adoptRunning() {
    const auto all = store_.sessions();
    if (!all) {
        return;
    }
    unread_ = false;
    const auto running =
        std::find_if(all->begin(), all->end(), [](const PunchSession& s) { return !s.end; });
    // The record owns the punch-in, unless the user punched out since the clock started
    // without it: then the punches are written as they came.
    const bool onlyPunchedIn = waiting_.empty() || (waiting_.size() == 1 && waiting_.front().in);
    if (running == all->end() || !onlyPunchedIn) {
        return;
    }
    waiting_.clear();
    seenIn_ = running->start;
    model_.restorePunch(std::min(running->start, model_.instant()));
}

void PunchLog::follow() {
    const std::optional<Instant> in = model_.punchedInAt();
    if (in == seenIn_) {
        return; // the count went on
    }
    if (seenIn_) {
        waiting_.push_back({false, model_.instant()});
    }
    if (in) {
        waiting_.push_back({true, *in});
    }
    seenIn_ = in;
    flush();
}

bool PunchLog::flush() {
    if (unread_ && waiting_.empty() && !QFileInfo::exists(store_.path())) {
        // Nothing punched yet: SQLite is loaded with the first punch, not with every start.
        unread_ = false;
        return true;
    }
    if (!store_.open()) {
        say(store_.error());
        return false;
    }
    if (!store_.setAside().isEmpty() && !toldSetAside_) {
        qCWarning(lcPunch,
                  "the punch log %s was not a database of Velto's; it is kept as %s and "
                  "a new one begun",
                  qPrintable(store_.path()), qPrintable(store_.setAside()));
        toldSetAside_ = true;
    }
    if (unread_) {
        adoptRunning();
    }
    bool wrote = false;
    while (!waiting_.empty()) {
        const Punch p = waiting_.front();
        const seconds offset = clock_.utcOffsetAt(p.at);
        if (!(p.in ? store_.punchIn(p.at, offset) : store_.punchOut(p.at, offset))) {
            say(store_.error());
            return false;
        }
        waiting_.pop_front();
        wrote = true;
    }
    if (!said_.isEmpty()) {
        qCInfo(lcPunch, "the punch log is written again");
        said_.clear();
    }
    if (wrote) {
        emit changed();
    }
    return true;
}

PunchStore::Edit PunchLog::correct(qint64 id, Instant start, std::optional<Instant> end) {
    const bool running = !end;
    if (running && start > model_.instant()) {
        return PunchStore::Edit::EndBeforeStart; // it runs until now
    }
    PunchSession s{id, start, end, clock_.utcOffsetAt(start), std::nullopt};
    if (end) {
        s.endOffset = clock_.utcOffsetAt(*end);
    }
    const PunchStore::Edit done = store_.correct(s);
    if (done == PunchStore::Edit::Done) {
        if (running && seenIn_) {
            seenIn_ = start;
            model_.restorePunch(start);
        }
        emit changed();
    }
    return done;
}

bool PunchLog::remove(const PunchSession& session) {
    if (!store_.remove(session.id)) {
        return false;
    }
    if (!session.end && seenIn_) {
        seenIn_.reset(); // gone from the record: the punch-out is not written either
        model_.punchOut();
    }
    emit changed();
    return true;
}

bool PunchLog::putBack(const PunchSession& session) {
    if (!session.end && seenIn_) {
        return false; // punched in again since: two sessions cannot run
    }
    if (!store_.restore(session)) {
        return false;
    }
    if (!session.end) {
        seenIn_ = session.start;
        model_.restorePunch(session.start);
    }
    emit changed();
    return true;
}

void PunchLog::say(const QString& why) {
    if (why != said_) {
        qCWarning(lcPunch, "%s; the punch clock goes on and is written down as soon as it can be",
                  qPrintable(why));
        said_ = why;
    }
}

} // namespace velto
