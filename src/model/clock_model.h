#pragma once
// The clock's state and rules, with no widgets: it takes one clock reading per tick and the
// user's actions, and says every change as a signal. The windows, the tray and the ringer
// observe it and draw or play what it says; none of them keeps a copy of its state.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <array>
#include <chrono>
#include <optional>

namespace velto {

/// What rang.
enum class RingKind {
    Alarm,     // the alarm, or the end of a countdown
    Announcer, // an announced minute
};

/// Seconds as the wall clock counts them: the local date and time taken as if it were UTC.
/// It runs on with real time but jumps where the wall clock does (daylight saving, a change
/// of zone, the clock set).
using WallSeconds = std::chrono::local_seconds;
WallSeconds wallSecondsOf(const QDateTime& t);

/// A clock reading without its milliseconds: the clock shows and acts on whole seconds.
QDateTime wholeSecond(const QDateTime& t);

/// "hh:mm:ss", 24-hour, whatever the locale.
QString timeText(const QTime& t);

/// The value 0..9 of character `pos` (0-based) of `text`; anything else counts as 0.
int digitAt(const QString& text, qsizetype pos);

class ClockModel final : public QObject {
    Q_OBJECT
public:
    /// The countdown counts whole minutes to the alarm up to this many.
    static constexpr int kCountdownTop = 60;
    /// The punch count stops here; its read-out shows 999 long before.
    static constexpr int kPunchTop = 9998;
    /// The announcer's intervals in minutes, in the order its button steps through them; 0
    /// is off.
    static constexpr std::array<int, 6> kAnnounceIntervals{0, 10, 15, 20, 30, 60};
    /// The presets' minutes, left to right.
    static constexpr std::array<int, 10> kPresetMinutes{0, 1, 3, 5, 10, 15, 20, 30, 45, 60};
    /// Switching the alarm on sets it this many seconds ahead, to hear it at once.
    static constexpr int kSwitchOnSeconds = 4;

    explicit ClockModel(QObject* parent = nullptr);

    // ---- the time ----

    /// The reading of start-up: the texts, and the point from which the first tick measures
    /// what it may have missed. Says nothing.
    void start(const QDateTime& now);
    /// One reading of the clock. When it is a new second: the texts, the full minute's work
    /// (countdown, punch minutes) and the rings. Seconds that were skipped (a stalled machine,
    /// suspend, the clock set forward) lose nothing: every real minute among them is counted
    /// and an alarm among them rings, late. When the clock went back, nothing is counted or
    /// rung for the span.
    void tick(const QDateTime& now);
    /// Whether the announcer rings at `minute` (0..59) with `interval`.
    static bool announcesAt(int interval, int minute);

    [[nodiscard]] const QDateTime& now() const { return now_; }
    /// The reading as "hh:mm:ss".
    [[nodiscard]] QString timeText() const { return velto::timeText(now_.time()); }

    // ---- the alarm and its countdown ----

    [[nodiscard]] bool armed() const { return alarmAt_.has_value(); }
    /// The moment the armed alarm rings, in wall seconds; none when off.
    [[nodiscard]] std::optional<WallSeconds> alarmAt() const { return alarmAt_; }
    /// The alarm's time of day as last set ("hh:mm:ss"), kept while it is off.
    [[nodiscard]] const QString& alarmTime() const { return alarmTime_; }
    /// Whole minutes from the current minute to the alarm's, 0..kCountdownTop; 0 when off.
    [[nodiscard]] int countdown() const;

    /// `text` ("hh:mm:ss"; empty means the current minute) becomes the alarm time: armed
    /// when it is later today, otherwise off.
    void setAlarm(const QString& text);
    /// The alarm `minutes` (0..60) from now, seconds included; 0 switches it off. Past
    /// midnight it rings the next morning, as a timer should.
    void setAlarmIn(int minutes);
    /// Preset `k` (0..9).
    void choosePreset(int k);
    /// Off when armed; otherwise armed to ring kSwitchOnSeconds from now.
    void toggleAlarm();
    /// The mark moved `minutes` along the rim from the keyboard: the countdown that many
    /// minutes more or less, within 0..kCountdownTop.
    void stepMark(int minutes);

    // ---- the edit mode of the alarm time ----

    [[nodiscard]] bool editing() const { return edit_.has_value(); }
    /// The edited time ("hh:mm:00") while editing.
    [[nodiscard]] QString editedTime() const { return edit_ ? edit_->time : QString(); }
    /// The digit (0..3) the next typed digit goes to.
    [[nodiscard]] int editPlace() const { return edit_ ? edit_->place : 0; }
    /// Whether the blinking colon of the edited time is lit.
    [[nodiscard]] bool colonLit() const { return colonLit_; }

    /// Enters the edit mode with the alarm time, or leaves it and applies the edit.
    void toggleEdit();
    /// One more on digit `k` (0..3) of the edited time, wrapping within the digit's range.
    void correctDigit(int k);
    /// `digit` typed: it goes to the edit place, and the next place waits. A digit that no
    /// time has there (a 7 for the tens of hours) is not taken; outside the edit mode nothing.
    void typeDigit(int digit);

    // ---- the punch clock and its keypad ----

    /// The whole minutes counted since punching in; none while punched out.
    [[nodiscard]] std::optional<int> punchMinutes() const { return punch_; }
    /// In when out (at 0), out when in (forgetting the count).
    void togglePunch();
    void punchOut();
    /// The key (1..12) pressed last; 0 for none.
    [[nodiscard]] int pressedKey() const { return key_; }
    /// Key k (1..12) pressed; it stays down until another is pressed, and pressing it again
    /// releases it.
    void pressKey(int k);

    // ---- the announcer ----

    [[nodiscard]] int announceInterval() const { return announce_; }
    void setAnnounceInterval(int minutes);
    /// The next interval of the cycle: stepAnnouncer() goes there.
    void stepAnnouncer();
    /// The interval after `minutes` in the cycle; from off, and from any value outside the
    /// cycle (the face shows those as off), the first interval.
    static int nextAnnounceInterval(int minutes);

signals:
    /// A new second was read. `fullMinute`: the minute's work is due (a new minute began, or
    /// the clock jumped).
    void timeChanged(bool fullMinute);
    /// Armed or off, or set to another moment.
    void alarmChanged();
    void countdownChanged();
    void editChanged();
    /// The edit mode's colon blinked.
    void colonBlinked();
    void punchChanged();
    /// Key `pressed` went down and key `released` (0: none) came up.
    void keyChanged(int released, int pressed);
    void announcerChanged();
    /// The alarm or the announcer rang. For the alarm, it comes while the alarm still counts
    /// as armed; alarmChanged follows.
    void ring(RingKind kind);

private:
    struct Edit {
        QString time; // "hh:mm:00"
        int place = 0;
    };
    [[nodiscard]] WallSeconds wallNow() const { return wallSecondsOf(now_); }
    /// Arms the alarm for `at` (alarmTime_ says its time of day), or switches it off when
    /// that moment is not in the future.
    void armAt(WallSeconds at);
    void setAlarmAhead(int seconds);
    void switchOff();
    void setEditDigits(const std::array<int, 4>& d);
    [[nodiscard]] std::array<int, 4> editDigits() const;

    QDateTime now_;
    // The whole second (since the epoch) the last tick acted on, and the wall second it
    // read: with both, a tick knows the span of real and of wall-clock time since.
    std::optional<int64_t> lastTick_;
    std::optional<int64_t> startedAt_;
    std::optional<WallSeconds> lastWall_;

    QString alarmTime_;
    std::optional<WallSeconds> alarmAt_;
    std::optional<Edit> edit_;
    bool colonLit_ = true; // blinks on from where the last edit left it
    std::optional<int> punch_;
    int key_ = 0;
    int announce_ = 0;
};

} // namespace velto
