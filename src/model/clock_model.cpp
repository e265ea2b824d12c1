#include "model/clock_model.h"

#include <algorithm>

namespace velto {

using std::chrono::minutes;
using std::chrono::seconds;

namespace {

constexpr seconds kDay{86400};

/// a / b rounded down, for either sign.
constexpr int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

/// The start of the wall-clock minute or day of `t`.
template <class Unit> WallSeconds floorTo(WallSeconds t) {
    return std::chrono::floor<Unit>(t);
}

/// "0" put in front when the second character is ":"; anything else unchanged.
QString padHour(const QString& text) {
    if (text.size() >= 2 && text[1] == QLatin1Char(':')) {
        return QLatin1Char('0') + text;
    }
    return text;
}

} // namespace

int digitAt(const QString& text, qsizetype pos) {
    if (pos < 0 || pos >= text.size() || !text[pos].isDigit()) {
        return 0;
    }
    const int v = text[pos].digitValue();
    return v >= 0 && v <= 9 ? v : 0;
}

WallSeconds wallSecondsOf(const QDateTime& t) {
    return WallSeconds{seconds{t.toSecsSinceEpoch() + t.offsetFromUtc()}};
}

QDateTime wholeSecond(const QDateTime& t) {
    return t.addMSecs(-t.time().msec());
}

QString timeText(const QTime& t) {
    // Formatted by hand: the system's own time format may be 12-hour or carry a suffix.
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

ClockModel::ClockModel(QObject* parent) : QObject(parent) {}

// ---- the time ----

void ClockModel::start(const QDateTime& now) {
    now_ = wholeSecond(now);
    startedAt_ = now_.toSecsSinceEpoch();
    lastWall_ = wallNow();
}

bool ClockModel::announcesAt(int interval, int minute) {
    return interval > 0 && minute % interval == 0 &&
           std::find(kAnnounceIntervals.begin() + 1, kAnnounceIntervals.end(), interval) !=
               kAnnounceIntervals.end();
}

void ClockModel::tick(const QDateTime& reading) {
    const QDateTime now = wholeSecond(reading);
    const int64_t secs = now.toSecsSinceEpoch();
    if (lastTick_ && *lastTick_ == secs) {
        return;
    }
    const int64_t prev = lastTick_.value_or(startedAt_.value_or(secs - 1));
    const WallSeconds wall = wallSecondsOf(now);
    const WallSeconds prevWall = lastWall_.value_or(wall - seconds{1});
    lastTick_ = secs;
    lastWall_ = wall;
    now_ = now;

    // The span of wall-clock time this tick answers for: what passed since the last tick
    // when the clock went forward (by a second, or by a jump: suspend, daylight saving, a
    // change of zone, the clock set); only this very second when it went back.
    const WallSeconds from = wall > prevWall ? prevWall : wall - seconds{1};
    const bool jumped = wall - prevWall != seconds{1};
    const bool newMinute = now.time().second() == 0;
    // Punch minutes are real minutes: those begun since the last tick, whatever the wall
    // clock did; after the clock went back, only the minute this tick lands on, if any.
    const int64_t punched =
        secs > prev ? floorDiv(secs, 60) - floorDiv(prev, 60) : (newMinute ? 1 : 0);
    const bool fullMinute = newMinute || jumped; // a real minute begun is always one of these
    emit timeChanged(fullMinute);
    if (fullMinute) {
        if (armed()) {
            // Counted from the alarm's moment, so a skipped minute needs no catching up.
            emit countdownChanged();
        }
        if (punch_ && punched > 0 && *punch_ < kPunchTop) {
            punch_ = static_cast<int>(std::min<int64_t>(kPunchTop, *punch_ + punched));
            emit punchChanged();
        }
    }

    if (edit_) {
        colonLit_ = !colonLit_;
        emit colonBlinked();
    }

    // Late rather than never: an alarm whose moment the span passed over rings now, once.
    if (alarmAt_ && *alarmAt_ > from && *alarmAt_ <= wall) {
        emit ring(RingKind::Alarm);
        switchOff();
    }

    // The current minute is announced if its start lies in the span; older moments of a
    // long gap are stale and stay silent.
    if (floorTo<minutes>(wall) > from && announcesAt(announce_, now.time().minute())) {
        emit ring(RingKind::Announcer);
    }
}

// ---- the alarm ----

int ClockModel::countdown() const {
    if (!alarmAt_) {
        return 0;
    }
    const auto left = std::chrono::duration_cast<minutes>(floorTo<minutes>(*alarmAt_) -
                                                          floorTo<minutes>(wallNow()));
    return static_cast<int>(std::clamp<int64_t>(left.count(), 0, kCountdownTop));
}

void ClockModel::switchOff() {
    alarmAt_.reset();
    emit alarmChanged();
    emit countdownChanged();
}

void ClockModel::armAt(WallSeconds at) {
    if (at <= wallNow()) {
        switchOff();
        return;
    }
    alarmAt_ = at;
    emit alarmChanged();
    emit countdownChanged();
}

void ClockModel::setAlarmAhead(int secs) {
    // A moment rather than a time of day, so that it may lie past midnight.
    alarmTime_ = velto::timeText(now_.time().addSecs(secs));
    armAt(wallNow() + seconds{secs});
}

void ClockModel::setAlarm(const QString& text) {
    const QString t = text.isEmpty() ? timeText().left(5) + QStringLiteral(":00") : text;
    alarmTime_ = padHour(t);
    const QTime alarm = QTime::fromString(alarmTime_, QStringLiteral("hh:mm:ss"));
    // A text that is no time of day cannot be later today: off.
    armAt(alarm.isValid()
              ? floorTo<std::chrono::days>(wallNow()) + seconds{alarm.msecsSinceStartOfDay() / 1000}
              : wallNow());
}

void ClockModel::setAlarmIn(int mins) {
    setAlarmAhead(60 * mins); // the countdown then reads `mins`: both moments share their seconds
}

void ClockModel::choosePreset(int k) {
    setAlarmIn(kPresetMinutes.at(static_cast<size_t>(k)));
}

void ClockModel::toggleAlarm() {
    if (armed()) {
        switchOff();
        return;
    }
    setAlarmAhead(kSwitchOnSeconds);
}

void ClockModel::stepMark(int mins) {
    // One minute at a time along the rim, stopping at both ends rather than jumping across
    // 12 o'clock.
    setAlarmIn(std::clamp(countdown() + mins, 0, kCountdownTop));
}

// ---- the edit mode ----

void ClockModel::toggleEdit() {
    if (!edit_) {
        edit_ = Edit{alarmTime_, 0};
        emit editChanged();
        return;
    }
    const QString edited = edit_->time;
    edit_.reset();
    emit editChanged();
    setAlarm(edited);
}

std::array<int, 4> ClockModel::editDigits() const {
    const QString& t = edit_->time;
    return {digitAt(t, 0), digitAt(t, 1), digitAt(t, 3), digitAt(t, 4)};
}

void ClockModel::setEditDigits(const std::array<int, 4>& d) {
    edit_->time = QStringLiteral("%1%2:%3%4:00").arg(d[0]).arg(d[1]).arg(d[2]).arg(d[3]);
    emit editChanged();
}

void ClockModel::correctDigit(int k) {
    if (!edit_ || k < 0 || k > 3) {
        return;
    }
    std::array<int, 4> d = editDigits();
    ++d.at(static_cast<size_t>(k));
    // No carry between digits; the order matters: raising the tens of hours to 2 also
    // brings a units digit above 3 back to 0.
    if (d[0] == 3) {
        d[0] = 0;
    }
    if (d[1] == 10) {
        d[1] = 0;
    }
    if (d[0] == 2 && d[1] > 3) {
        d[1] = 0;
    }
    if (d[2] == 6) {
        d[2] = 0;
    }
    if (d[3] == 10) {
        d[3] = 0;
    }
    setEditDigits(d);
}

void ClockModel::typeDigit(int digit) {
    if (!edit_ || digit < 0 || digit > 9) {
        return;
    }
    std::array<int, 4> d = editDigits();
    const auto place = static_cast<size_t>(edit_->place);
    // The largest digit each place takes; the units of hours go to 3 after a 2.
    const std::array<int, 4> top{2, d[0] == 2 ? 3 : 9, 5, 9};
    if (digit > top.at(place)) {
        return; // no time of day has it there: the place waits for a digit that fits
    }
    d.at(place) = digit;
    if (d[0] == 2 && d[1] > 3) {
        d[1] = 0; // as with the bars: 15 becomes 20, not 25
    }
    edit_->place = static_cast<int>((place + 1) % d.size());
    setEditDigits(d);
}

// ---- the punch clock ----

void ClockModel::togglePunch() {
    if (punch_) {
        punchOut();
        return;
    }
    punch_ = 0;
    emit punchChanged();
}

void ClockModel::punchOut() {
    punch_.reset();
    emit punchChanged();
}

void ClockModel::pressKey(int k) {
    if (k < 1 || k > 12) {
        return;
    }
    const int released = key_;
    key_ = k;
    emit keyChanged(released, k);
}

// ---- the announcer ----

void ClockModel::setAnnounceInterval(int mins) {
    announce_ = mins;
    emit announcerChanged();
}

int ClockModel::nextAnnounceInterval(int mins) {
    const auto* at = std::find(kAnnounceIntervals.begin(), kAnnounceIntervals.end(), mins);
    if (at == kAnnounceIntervals.end() || mins == 0) {
        return kAnnounceIntervals[1];
    }
    return ++at == kAnnounceIntervals.end() ? kAnnounceIntervals.front() : *at;
}

void ClockModel::stepAnnouncer() {
    setAnnounceInterval(nextAnnounceInterval(announce_));
}

} // namespace velto
