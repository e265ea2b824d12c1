#pragma once
// The clock's state and rules, with no widgets: it takes one clock reading per tick and the
// user's actions, and says every change as a signal. The windows, the tray and the ringer
// observe it and draw or play what it says; none of them keeps a copy of its state.

#include "platform/seams.h"

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

/// A moment, in whole seconds since the epoch (UTC): what rings, and when.
using Instant = std::chrono::sys_seconds;

/// How the alarm was set: a span of real time, or a time of day typed or corrected.
enum class AlarmKind {
    Countdown,
    TimeOfDay,
};

/// Seconds as the wall clock counts them: the local date and time taken as if it were UTC.
/// It runs on with real time but jumps where the wall clock does (daylight saving, a change
/// of zone, the clock set).
using WallSeconds = std::chrono::local_seconds;

/// What the user chose for the rings. The defaults ring as the clock always has: once, at
/// full loudness, with the built-in sound, the announcer never quiet.
struct RingChoices {
    /// The ringing alarm's own sound file; empty for the built-in sound.
    QString soundFile;
    int alarmVolume = 100;     // percent
    int announcerVolume = 100; // percent
    /// 0: the alarm rings once; otherwise it rings on until stopped, at most this many
    /// minutes.
    int ringMinutes = 0;
    int snoozeMinutes = 9;
    /// The announcer keeps quiet from `quietFrom` until `quietTo`, local times of day (across
    /// midnight when `quietFrom` is the later); never while they are invalid or equal.
    QTime quietFrom;
    QTime quietTo;
    friend bool operator==(const RingChoices&, const RingChoices&) = default;
};

/// The local time of day at `t` in the zone of `clock`.
QTime timeAt(const Clock& clock, Instant t);

/// "hh:mm:ss", 24-hour, whatever the locale.
QString timeText(const QTime& t);
/// "hh:mm", 24-hour, whatever the locale.
QString minuteText(const QTime& t);

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
    /// A ring that rings once can be stopped or snoozed this long, while its window is up.
    static constexpr int kOneRingSeconds = 2;
    /// How long a ring may ring on until stopped, in minutes; 0 rings once.
    static constexpr std::array<int, 4> kRingMinutes{0, 1, 5, 10};
    static constexpr std::array<int, 4> kSnoozeMinutes{5, 9, 10, 15};
    /// The longest label an alarm carries, in characters.
    static constexpr int kLabelLength = 40;

    /// `clock` tells the local zone's offset at any instant; the readings come with start()
    /// and tick().
    explicit ClockModel(const Clock& clock, QObject* parent = nullptr);

    // ---- the time ----

    /// The reading of start-up: the texts, and the point from which the first tick measures
    /// what it may have missed. Says nothing.
    void start(const ClockReading& now);
    /// One reading of the clock. When it is a new second: the texts, the countdown, the
    /// punch minutes and the rings. An alarm rings at the first tick at or after its instant,
    /// however the wall clock moved in between (late rather than never, never twice). A
    /// countdown's instant moves with the clock when it is set: it rings its minutes of real
    /// time after it was set. The announcer rings when the tick lands in an announced minute
    /// that began in the real time since the last tick.
    void tick(const ClockReading& now);
    /// A tick with a reading of its own, for a command that comes between ticks: while the
    /// seconds are not shown the ticks are a minute apart, and a countdown or a punch counts
    /// from the second it is asked for.
    void catchUp();
    /// The real time from `now` to the next thing a tick has to do when no seconds are shown:
    /// the next minute of the wall clock (what the minutes show, the announcer, the punch
    /// clock), the alarm's instant, or the end of a ring; zero when one is due now.
    [[nodiscard]] std::chrono::milliseconds dueIn(const ClockReading& now) const;
    /// Whether the alarm or the announcer rings within `span` of `now`: the sound is loaded
    /// that far ahead of a ring, and not while none comes.
    [[nodiscard]] bool ringsWithin(const ClockReading& now, std::chrono::seconds span) const;
    /// Whether the announcer rings at `minute` (0..59) with `interval`.
    static bool announcesAt(int interval, int minute);
    /// The place of `interval` in the announcer's cycle (0 is off); none for a value that is
    /// not in it.
    static std::optional<size_t> cycleIndex(int interval);

    /// The last reading, whole seconds, as the local date and time with the offset in force.
    [[nodiscard]] QDateTime now() const;
    [[nodiscard]] Instant instant() const { return now_; }
    /// The reading's local time of day.
    [[nodiscard]] QTime time() const;
    /// `t` as the local date and time with the offset in force then, whole seconds.
    [[nodiscard]] QDateTime localAt(Instant t) const;

    // ---- the alarm and its countdown ----

    [[nodiscard]] bool armed() const { return alarmAt_.has_value(); }
    /// The instant the armed alarm rings; none when off. A countdown's moves with the clock
    /// when the clock is set.
    [[nodiscard]] std::optional<Instant> alarmAt() const { return alarmAt_; }
    [[nodiscard]] AlarmKind alarmKind() const { return alarmKind_; }
    /// The alarm's local time of day in the zone of the last reading; while it is off, the
    /// time it had last (none after a time that was no time of day).
    [[nodiscard]] QTime alarmTime() const { return alarmTime_; }
    /// Whole minutes from the current minute to the alarm's, in real time, 0..kCountdownTop;
    /// 0 when off.
    [[nodiscard]] int countdown() const;
    /// The same minutes without the countdown's top: a day ahead reads 1440.
    [[nodiscard]] int minutesLeft() const;

    /// `time` becomes the alarm time: it rings at the next time the local clock shows it
    /// after the current minute (tomorrow when it is at or before the current minute; at the
    /// jump when the day skips it; at its first occurrence when the day repeats it). No time
    /// of day (an invalid QTime) switches the alarm off.
    void setAlarm(QTime time);
    /// Off, with the current minute as the alarm time, saying so.
    void clearAlarm();
    /// The alarm for `at` as it was kept from an earlier run: armed even when that instant
    /// has passed (then it rings at the next tick), or off with its time showing.
    void restoreAlarm(Instant at, AlarmKind kind, bool armed);
    /// The alarm `minutes` real minutes from now, seconds included; 0 switches it off. Beyond
    /// kCountdownTop the face shows it as it shows a typed time.
    void setAlarmIn(int minutes);
    /// Preset `k` (0..9).
    void choosePreset(int k);
    /// Off when armed; otherwise armed to ring kSwitchOnSeconds from now.
    void toggleAlarm();
    /// The mark moved `minutes` along the rim from the keyboard: the alarm that many minutes
    /// later or earlier (off when that is not in the future); an alarm that is off is set
    /// that many minutes from now.
    void stepMark(int minutes);

    /// The alarm's label ("Tea"); empty for none. It stays with the alarm until changed.
    [[nodiscard]] QString label() const { return label_; }
    /// Why `text` can be no label (too long, a control character), in a few words; empty
    /// when it can.
    static QString labelProblem(const QString& text);
    /// False, changing nothing, when labelProblem() finds one.
    bool setLabel(const QString& text);

    // ---- the ring ----

    [[nodiscard]] const RingChoices& choices() const { return choices_; }
    /// Takes the user's choices; values outside the offered ones are taken as the defaults.
    void setChoices(const RingChoices& choices);
    /// Whether the alarm rings now: from its ring until stopped, snoozed or its time is up
    /// (kOneRingSeconds, or the ring's minutes).
    [[nodiscard]] bool ringing() const { return ringEnds_.has_value(); }
    /// False when nothing rings.
    bool stopRing();
    /// Stops the ring and sets the alarm again as a countdown of the snooze minutes. False
    /// when nothing rings.
    bool snooze();
    /// The armed alarm was set by a snooze.
    [[nodiscard]] bool snoozed() const { return snoozed_; }
    /// Whether the announcer keeps quiet at `t`.
    [[nodiscard]] bool quietAt(QTime t) const;
    /// Whether the announcer rings in the minute the wall clock shows as `shown`.
    [[nodiscard]] bool announcerRingsAt(QTime shown) const;

    // ---- the edit mode of the alarm time ----

    [[nodiscard]] bool editing() const { return edit_.has_value(); }
    /// The edited time while editing (the alarm time until a digit changes, then whole
    /// minutes); none otherwise.
    [[nodiscard]] QTime editedTime() const { return edit_ ? edit_->time : QTime(); }
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

    /// Whole minutes of real time since punching in (time asleep counts, setting the clock
    /// or changing the zone does not), up to kPunchTop; none while punched out.
    [[nodiscard]] std::optional<int> punchMinutes() const { return punch_; }
    /// When the punch clock was punched in (the instant of the tick then); none while out.
    [[nodiscard]] std::optional<Instant> punchedInAt() const { return punchedInAt_; }
    /// Punched in since `at`, as kept from an earlier run: the minutes since count on.
    void restorePunch(Instant at);
    /// In when out (at 0), out when in (forgetting the count).
    void togglePunch();
    void punchOut();
    /// The key (1..12) pressed last; 0 for none.
    [[nodiscard]] int pressedKey() const { return key_; }
    /// The key (1..12) that is down; 0 for none.
    [[nodiscard]] int keyDown() const { return keyLatched_ ? key_ : 0; }
    /// Key k (1..12) pressed: it goes down and stays down until another is pressed. Pressed
    /// again it comes up, and stays up however often it is pressed until another key is.
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
    /// Key `pressed` (0: none) went down and key `released` (0: none) came up.
    void keyChanged(int released, int pressed);
    void announcerChanged();
    /// The alarm or the announcer rang. For the alarm, it comes while the alarm still counts
    /// as armed and already rings; alarmChanged follows.
    void ring(RingKind kind);
    /// The alarm began or stopped ringing.
    void ringingChanged();
    /// The user stopped or snoozed the ringing alarm (before ringingChanged); a ring whose
    /// time is up says only ringingChanged.
    void ringStopped();
    void choicesChanged();
    void labelChanged();

private:
    struct Edit {
        QTime time;
        QTime original; // what the edit began with
        int place = 0;
    };
    [[nodiscard]] WallSeconds wallOf(Instant t) const;
    /// The wall clock at the last reading.
    [[nodiscard]] WallSeconds wallNow() const {
        return WallSeconds{now_.time_since_epoch() + offset_};
    }
    /// The first instant at or after `from` whose local time is `wall`, or the jump over it
    /// when the day skips it; none within the next days.
    [[nodiscard]] std::optional<Instant> nextInstantShowing(QTime timeOfDay, Instant from) const;
    /// Arms the alarm for `at`, or switches it off when that is not in the future.
    void armAt(Instant at);
    /// The alarm at `at`, armed or off with its time showing; the views hear of it once.
    void placeAlarm(Instant at, bool armed);
    void setAlarmAhead(int seconds);
    void switchOff();
    /// The ring ends; `byHand`: the user ended it.
    bool endRing(bool byHand);
    /// A countdown's instant, on the clock as `now` reads it.
    void followCountdown(const ClockReading& now);
    /// The alarm's time at `at` as the zone shows it, saying nothing.
    void showAlarmTime(Instant at);
    /// The alarm's time as the zone now shows it; says when that changed.
    void showAlarmTimeInZone();
    void countPunch();
    void setEditDigits(const std::array<int, 4>& d);
    [[nodiscard]] std::array<int, 4> editDigits() const;

    const Clock& clock_;
    Instant now_{};
    std::chrono::seconds offset_{0}; // of the local zone at now_
    // The machine's run time at the last reading, and the second the last tick acted on:
    // with these and now_ a tick knows the real time since and where the wall clock went.
    std::chrono::milliseconds sinceBoot_{0};
    std::optional<Instant> lastTick_;

    QTime alarmTime_;
    std::optional<Instant> alarmAt_;
    // A countdown is real time: the machine's run time at which it rings.
    std::optional<std::chrono::milliseconds> countdownEnd_;
    AlarmKind alarmKind_ = AlarmKind::Countdown;
    std::optional<Edit> edit_;
    bool colonLit_ = true; // blinks on from where the last edit left it
    std::optional<std::chrono::milliseconds> punchedIn_; // the machine's run time then
    std::optional<Instant> punchedInAt_;
    std::optional<int> punch_;
    int key_ = 0;
    bool keyLatched_ = false; // key_ is down
    int announce_ = 0;
    QString label_;
    RingChoices choices_;
    // The machine's run time at which the ringing alarm stops by itself; none while silent.
    std::optional<std::chrono::milliseconds> ringEnds_;
    bool snoozed_ = false;
    bool snoozing_ = false; // within snooze(): the alarm placed is the snoozed one
};

} // namespace velto
