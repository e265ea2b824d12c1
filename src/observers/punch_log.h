#pragma once
// The punch clock's record: every session from punch-in to punch-out, in an SQLite file that
// owns "punched in since" across restarts and crashes, and the totals by local day.

#include "model/clock_model.h"
#include "platform/seams.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QTimeZone>
#include <chrono>
#include <deque>
#include <optional>
#include <vector>

namespace velto {

/// One stretch from punch-in to punch-out, with the zone's offsets then.
struct PunchSession {
    qint64 id = 0;
    Instant start;
    std::optional<Instant> end; // none while punched in
    std::chrono::seconds startOffset{0};
    std::optional<std::chrono::seconds> endOffset;

    bool operator==(const PunchSession&) const = default;
    /// Real time worked, up to `now` while it runs.
    [[nodiscard]] std::chrono::seconds worked(Instant now) const {
        return end.value_or(std::max(now, start)) - start;
    }
};

/// Seconds since the epoch, as the record keeps an instant.
[[nodiscard]] inline qint64 epochSeconds(Instant t) {
    return t.time_since_epoch().count();
}

/// Time worked on one local day.
struct DayTotal {
    QDate day;
    std::chrono::seconds worked{0};
    bool operator==(const DayTotal&) const = default;
};

/// Time worked per local day in `zone`, oldest first: a session across midnight counts on
/// both days, and a day of 23 or 25 hours counts what it really had. A running session
/// counts up to `now`.
[[nodiscard]] std::vector<DayTotal> dayTotals(const std::vector<PunchSession>& sessions,
                                              const QTimeZone& zone, Instant now);

/// The record in one SQLite file, through Qt SQL. Each change is one transaction; another
/// process holding the file is waited for briefly. Not a QObject: the export opens one too.
class PunchStore final {
public:
    enum class Mode { ReadWrite, ReadOnly };
    enum class Edit { Done, EndBeforeStart, Overlaps, NotWritten };

    /// The file's schema version; older files are brought up to it when opened.
    static constexpr int kSchema = 1;
    /// How long a change waits for another clock that holds the file. Another clock's change
    /// takes a moment; the wait stalls the face, and a punch that waits longer is written at
    /// a later minute anyway.
    static constexpr int kBusyTimeoutMs = 500;

    explicit PunchStore(QString path, Mode mode = Mode::ReadWrite,
                        int busyTimeoutMs = kBusyTimeoutMs);
    ~PunchStore();
    PunchStore(const PunchStore&) = delete;
    PunchStore& operator=(const PunchStore&) = delete;

    /// `$XDG_DATA_HOME/velto/punch.sqlite`: data, not a setting.
    static QString defaultPath();

    /// Opens the file, creating and migrating it when writable. A file that is not an SQLite
    /// database of ours (corrupt, or another program's) is moved aside to `<path>.bad` and a
    /// new one begun; setAside() says so. False, with error() set, when it cannot be used now
    /// (locked, an unwritable folder, a full disk): the caller may try again later.
    [[nodiscard]] bool open();
    [[nodiscard]] bool isOpen() const { return open_; }
    /// Why the last call failed, in words for the user.
    [[nodiscard]] const QString& error() const { return error_; }
    /// Set once open() has moved a bad file aside: where it went.
    [[nodiscard]] const QString& setAside() const { return setAside_; }
    [[nodiscard]] const QString& path() const { return path_; }

    /// Sessions that overlap [from, to), oldest first; none when the file cannot be read.
    [[nodiscard]] std::optional<std::vector<PunchSession>>
    sessions(std::optional<Instant> from = {}, std::optional<Instant> to = {});
    /// A new running session; false when it could not be written.
    [[nodiscard]] bool punchIn(Instant start, std::chrono::seconds offset);
    /// Ends the running session, if any.
    [[nodiscard]] bool punchOut(Instant end, std::chrono::seconds offset);
    /// Moves a session's start and end. An end before the start, or times that overlap another
    /// session, are refused and nothing changes.
    [[nodiscard]] Edit correct(const PunchSession& corrected);
    [[nodiscard]] bool remove(qint64 id);
    /// Puts a removed session back as it was.
    [[nodiscard]] bool restore(const PunchSession& session);

private:
    bool migrate();
    bool fail(const QString& what, const QString& why);

    QString path_;
    QString connection_;
    Mode mode_;
    int busyTimeoutMs_;
    bool open_ = false;
    QString error_;
    QString errorCode_; // SQLite's own code of the last failure
    QString setAside_;
};

/// Keeps the model's punch clock in the store: restores the running session at start and
/// records each punch-in and punch-out. What cannot be written now (the file locked, a full
/// disk, a read-only folder) is said once, kept in memory and written at a later minute.
class PunchLog final : public QObject {
    Q_OBJECT
public:
    PunchLog(ClockModel& model, const Clock& clock, const QString& path, QObject* parent = nullptr,
             int busyTimeoutMs = PunchStore::kBusyTimeoutMs);

    /// Brings back the running session, or records one the model already has (kept by an
    /// earlier version in the settings). Call once, after the settings are restored.
    void restore();
    [[nodiscard]] PunchStore& store() { return store_; }
    /// Writes what is waiting; false while something still is.
    bool flush();
    [[nodiscard]] bool pending() const { return !waiting_.empty(); }

    /// Moves session `id`; a running session's new start moves the count on the face too.
    [[nodiscard]] PunchStore::Edit correct(qint64 id, Instant start, std::optional<Instant> end);
    /// Deletes `session`; the running one punches the clock out.
    [[nodiscard]] bool remove(const PunchSession& session);
    /// Puts a deleted session back; the running one punches the clock in again.
    [[nodiscard]] bool putBack(const PunchSession& session);

signals:
    /// The record changed (a punch, a correction, a removal).
    void changed();

private:
    struct Punch {
        bool in;
        Instant at;
    };
    void follow();
    /// Takes the record's running session once it can be read.
    void adoptRunning();
    void say(const QString& why);

    ClockModel& model_;
    const Clock& clock_;
    PunchStore store_;
    std::optional<Instant> seenIn_; // the punch-in the record knows of
    std::deque<Punch> waiting_;     // not yet written
    QString said_;                  // the last trouble told, so that it is told once
    bool unread_ = false;           // the record's running session is not known yet
    bool toldSetAside_ = false;
};

} // namespace velto
