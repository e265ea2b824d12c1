#include "model/clock_model.h"

#include <algorithm>

namespace velto {

using std::chrono::minutes;
using std::chrono::seconds;

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::milliseconds;

/// Whole seconds of the machine's run time between two readings, which come a few
/// milliseconds either side of a whole second; never less than none.
seconds runTimeBetween(milliseconds earlier, milliseconds later) {
    return std::max(seconds{0}, std::chrono::round<seconds>(later - earlier));
}

QTime timeOfDay(WallSeconds wall) {
    const auto s = (wall - std::chrono::floor<days>(wall)).count();
    return QTime(0, 0).addSecs(static_cast<int>(s));
}

} // namespace

QTime timeAt(const Clock& clock, Instant t) {
    return timeOfDay(WallSeconds{t.time_since_epoch() + clock.utcOffsetAt(t)});
}

QString timeText(const QTime& t) {
    // Formatted by hand: the system's own time format may be 12-hour or carry a suffix.
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString minuteText(const QTime& t) {
    return QStringLiteral("%1:%2")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'));
}

ClockModel::ClockModel(const Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {}

// ---- the time ----

WallSeconds ClockModel::wallOf(Instant t) const {
    return WallSeconds{t.time_since_epoch() + clock_.utcOffsetAt(t)};
}

QDateTime ClockModel::now() const {
    return QDateTime::fromSecsSinceEpoch(now_.time_since_epoch().count(), Qt::OffsetFromUTC,
                                         static_cast<int>(offset_.count()));
}

QDateTime ClockModel::localAt(Instant t) const {
    return QDateTime::fromSecsSinceEpoch(t.time_since_epoch().count(), Qt::OffsetFromUTC,
                                         static_cast<int>(clock_.utcOffsetAt(t).count()));
}

QTime ClockModel::time() const {
    return timeOfDay(wallNow());
}

void ClockModel::start(const ClockReading& now) {
    sinceBoot_ = now.sinceBoot;
    now_ = std::chrono::floor<seconds>(now.instant);
    offset_ = clock_.utcOffsetAt(now_);
}

std::optional<size_t> ClockModel::cycleIndex(int interval) {
    const auto* at = std::find(kAnnounceIntervals.begin(), kAnnounceIntervals.end(), interval);
    if (at == kAnnounceIntervals.end()) {
        return std::nullopt;
    }
    return static_cast<size_t>(at - kAnnounceIntervals.begin());
}

bool ClockModel::announcesAt(int interval, int minute) {
    return interval > 0 && minute % interval == 0 && cycleIndex(interval);
}

void ClockModel::tick(const ClockReading& reading) {
    const Instant t = std::chrono::floor<seconds>(reading.instant);
    if (lastTick_ && *lastTick_ == t) {
        return;
    }
    // The real time since the last reading, back from this one: a clock set or a change of
    // zone moves the instant or the wall clock, but passes no time.
    const auto spanStart = reading.instant - (reading.sinceBoot - sinceBoot_);
    sinceBoot_ = reading.sinceBoot;
    lastTick_ = t;
    const WallSeconds prevWall = wallNow();
    const int countdownBefore = countdown();
    now_ = t;
    offset_ = clock_.utcOffsetAt(t);
    const WallSeconds wall = wallNow();

    followCountdown(reading);

    const auto intoMinute = wall - std::chrono::floor<minutes>(wall);
    const bool fullMinute = intoMinute == seconds{0} || wall - prevWall != seconds{1};
    emit timeChanged(fullMinute);
    if (armed()) {
        showAlarmTimeInZone();
        if (countdown() != countdownBefore) {
            emit countdownChanged();
        }
    }
    countPunch();

    if (edit_) {
        colonLit_ = !colonLit_;
        emit colonBlinked();
    }

    if (ringEnds_ && sinceBoot_ >= *ringEnds_) {
        endRing(false); // its time is up
    }
    if (alarmAt_ && t >= *alarmAt_) {
        const seconds length =
            choices_.ringMinutes > 0 ? minutes{choices_.ringMinutes} : seconds{kOneRingSeconds};
        const bool wasRinging = ringing();
        ringEnds_ = sinceBoot_ + length;
        emit ring(RingKind::Alarm);
        switchOff();
        if (!wasRinging) {
            emit ringingChanged();
        }
    }

    // Only the current minute is announced: after a long gap the older ones are stale.
    const Instant minuteStart = t - intoMinute;
    const QTime shown = timeOfDay(wall);
    if (minuteStart > spanStart && announcerRingsAt(shown)) {
        emit ring(RingKind::Announcer);
    }
}

void ClockModel::catchUp() {
    tick(clock_.now());
}

milliseconds ClockModel::dueIn(const ClockReading& now) const {
    // The wall clock's next minute, by the offset in force now: a change of offset falls on
    // a whole minute, and the tick there measures again.
    const auto wall = now.instant + clock_.utcOffsetAt(std::chrono::floor<seconds>(now.instant));
    milliseconds due = std::chrono::floor<minutes>(wall) + minutes{1} - wall;
    if (alarmAt_) {
        due = std::min(due, milliseconds{*alarmAt_ - now.instant});
    }
    // A countdown and a ring count the machine's run time, which the wall clock need not.
    for (const auto& end : {countdownEnd_, ringEnds_}) {
        if (end) {
            due = std::min(due, *end - now.sinceBoot);
        }
    }
    return std::max(due, milliseconds{0});
}

bool ClockModel::ringsWithin(const ClockReading& now, seconds span) const {
    const auto within = [span](milliseconds left) { return left <= span; };
    if ((alarmAt_ && within(*alarmAt_ - now.instant)) ||
        (countdownEnd_ && within(*countdownEnd_ - now.sinceBoot))) {
        return true;
    }
    // The announcer's minutes that begin within the span.
    const Instant t = std::chrono::floor<seconds>(now.instant);
    const WallSeconds wall = wallOf(t);
    for (WallSeconds m = std::chrono::floor<minutes>(wall) + minutes{1}; m - wall <= span;
         m += minutes{1}) {
        if (announcerRingsAt(timeOfDay(m))) {
            return true;
        }
    }
    return false;
}

// ---- the alarm ----

int ClockModel::countdown() const {
    return std::min(minutesLeft(), kCountdownTop);
}

int ClockModel::minutesLeft() const {
    if (!alarmAt_) {
        return 0;
    }
    const auto left = std::chrono::floor<minutes>(*alarmAt_) - std::chrono::floor<minutes>(now_);
    return static_cast<int>(std::max<int64_t>(left.count(), 0));
}

void ClockModel::followCountdown(const ClockReading& now) {
    if (!alarmAt_ || !countdownEnd_) {
        return;
    }
    // Set back or forward, the clock takes the countdown's instant with it; the run time
    // does not move.
    const Instant at = std::chrono::floor<seconds>(now.instant + (*countdownEnd_ - now.sinceBoot));
    if (at != *alarmAt_) {
        alarmAt_ = at;
        showAlarmTime(at);
        emit alarmChanged();
    }
}

void ClockModel::switchOff() {
    snoozed_ = false;
    alarmAt_.reset();
    countdownEnd_.reset();
    emit alarmChanged();
    emit countdownChanged();
}

void ClockModel::showAlarmTimeInZone() {
    // The same instant shows another time of day when the zone changed.
    const QTime shown = timeOfDay(wallOf(*alarmAt_));
    if (shown != alarmTime_) {
        alarmTime_ = shown;
        emit alarmChanged();
    }
}

void ClockModel::armAt(Instant at) {
    if (at <= now_) {
        switchOff();
        return;
    }
    placeAlarm(at, true);
}

void ClockModel::placeAlarm(Instant at, bool armed) {
    snoozed_ = snoozing_ && armed;
    alarmAt_ = armed ? std::optional(at) : std::nullopt;
    countdownEnd_.reset();
    if (armed && alarmKind_ == AlarmKind::Countdown) {
        countdownEnd_ = sinceBoot_ + (at - now_);
    }
    showAlarmTime(at);
    emit alarmChanged();
    emit countdownChanged();
}

void ClockModel::showAlarmTime(Instant at) {
    alarmTime_ = timeOfDay(wallOf(at));
}

void ClockModel::setAlarmAhead(int secs) {
    if (secs <= 0) {
        alarmTime_ = time();
        switchOff();
        return;
    }
    alarmKind_ = AlarmKind::Countdown;
    armAt(now_ + seconds{secs});
}

void ClockModel::restoreAlarm(Instant at, AlarmKind kind, bool armed) {
    alarmKind_ = kind;
    placeAlarm(at, armed);
}

std::optional<Instant> ClockModel::nextInstantShowing(QTime time, Instant from) const {
    const seconds sinceMidnight{time.msecsSinceStartOfDay() / 1000};
    const auto firstDay = std::chrono::floor<days>(wallOf(from)) - days{1};
    for (auto day = firstDay; day <= firstDay + days{3}; day += days{1}) {
        const WallSeconds wall = day + sinceMidnight;
        const Instant asUtc{wall.time_since_epoch()};
        // Each offset the zone has around that day gives one instant that may show `wall`;
        // none does when the day skips it, two when the day repeats it.
        std::optional<Instant> first;
        Instant lowest = Instant::max();
        Instant highest = Instant::min();
        for (hours h{-18}; h <= hours{18}; ++h) {
            const Instant candidate = asUtc - clock_.utcOffsetAt(asUtc + h);
            lowest = std::min(lowest, candidate);
            highest = std::max(highest, candidate);
            if (candidate >= from && wallOf(candidate) == wall && (!first || candidate < *first)) {
                first = candidate;
            }
        }
        if (first) {
            return first;
        }
        if (lowest < highest && wallOf(lowest) < wall && wallOf(highest) > wall) {
            // Skipped: the first instant the wall clock is past it, the jump.
            while (highest - lowest > seconds{1}) {
                const Instant mid = lowest + (highest - lowest) / 2;
                (wallOf(mid) < wall ? lowest : highest) = mid;
            }
            if (highest >= from) {
                return highest;
            }
        }
    }
    return std::nullopt;
}

void ClockModel::setAlarm(QTime time) {
    alarmTime_ = time.isValid() ? QTime(time.hour(), time.minute(), time.second()) : QTime();
    if (!time.isValid()) {
        switchOff(); // no time of day: nothing to ring
        return;
    }
    // After the current minute: a time typed for this very minute means tomorrow's.
    const WallSeconds wall = wallNow();
    const Instant nextMinute = now_ - (wall - std::chrono::floor<minutes>(wall)) + minutes{1};
    const std::optional<Instant> at = nextInstantShowing(alarmTime_, nextMinute);
    if (!at) {
        switchOff();
        return;
    }
    alarmKind_ = AlarmKind::TimeOfDay;
    armAt(*at);
}

void ClockModel::clearAlarm() {
    const QTime t = time();
    alarmTime_ = QTime(t.hour(), t.minute());
    switchOff();
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
    if (!alarmAt_) {
        setAlarmIn(std::max(0, mins));
        return;
    }
    // A minute at a time, from wherever the alarm is: a far alarm moves a minute too.
    armAt(*alarmAt_ + minutes{mins});
}

QString ClockModel::labelProblem(const QString& text) {
    if (text.size() > kLabelLength) {
        return tr("a label has at most %n character(s)", nullptr, kLabelLength);
    }
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            return tr("a label cannot hold control characters or line breaks");
        }
    }
    return {};
}

bool ClockModel::setLabel(const QString& text) {
    if (!labelProblem(text).isEmpty()) {
        return false;
    }
    const QString label = text.trimmed();
    if (label != label_) {
        label_ = label;
        emit labelChanged();
    }
    return true;
}

// ---- the ring ----

void ClockModel::setChoices(const RingChoices& choices) {
    RingChoices c = choices;
    const RingChoices defaults;
    const auto offered = [](const auto& values, int v) {
        return std::find(values.begin(), values.end(), v) != values.end();
    };
    if (!offered(kRingMinutes, c.ringMinutes)) {
        c.ringMinutes = defaults.ringMinutes;
    }
    if (!offered(kSnoozeMinutes, c.snoozeMinutes)) {
        c.snoozeMinutes = defaults.snoozeMinutes;
    }
    c.alarmVolume = std::clamp(c.alarmVolume, 0, 100);
    c.announcerVolume = std::clamp(c.announcerVolume, 0, 100);
    if (!c.quietFrom.isValid() || !c.quietTo.isValid()) {
        c.quietFrom = c.quietTo = QTime();
    }
    if (c != choices_) {
        choices_ = c;
        emit choicesChanged();
    }
}

bool ClockModel::announcerRingsAt(QTime shown) const {
    return announcesAt(announce_, shown.minute()) && !quietAt(shown);
}

bool ClockModel::quietAt(QTime t) const {
    const QTime& from = choices_.quietFrom;
    const QTime& to = choices_.quietTo;
    if (!from.isValid() || !to.isValid() || from == to) {
        return false;
    }
    return from < to ? from <= t && t < to : from <= t || t < to;
}

bool ClockModel::stopRing() {
    return endRing(true);
}

bool ClockModel::endRing(bool byHand) {
    if (!ringEnds_) {
        return false;
    }
    ringEnds_.reset();
    if (byHand) {
        emit ringStopped();
    }
    emit ringingChanged();
    return true;
}

bool ClockModel::snooze() {
    if (!stopRing()) {
        return false;
    }
    snoozing_ = true;
    setAlarmIn(choices_.snoozeMinutes);
    snoozing_ = false;
    return true;
}

// ---- the edit mode ----

void ClockModel::toggleEdit() {
    if (!edit_) {
        edit_ = Edit{alarmTime_, alarmTime_, 0};
        emit editChanged();
        return;
    }
    const Edit edit = *edit_;
    edit_.reset();
    emit editChanged();
    if (edit.time != edit.original) {
        setAlarm(edit.time);
    } // unchanged: the alarm stays exactly as it was, armed or off
}

std::array<int, 4> ClockModel::editDigits() const {
    // No time of day to begin with: the digits start from 00:00.
    const QTime t = edit_->time.isValid() ? edit_->time : QTime(0, 0);
    return {t.hour() / 10, t.hour() % 10, t.minute() / 10, t.minute() % 10};
}

void ClockModel::setEditDigits(const std::array<int, 4>& d) {
    // The digits' rules keep them a time of day: 00..23 and 00..59.
    edit_->time = QTime(10 * d[0] + d[1], 10 * d[2] + d[3]);
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
    punchedIn_ = sinceBoot_;
    punchedInAt_ = now_;
    punch_ = 0;
    emit punchChanged();
}

void ClockModel::restorePunch(Instant at) {
    // The machine's run time of then, as far as the clock tells: across a restart of the
    // machine the run time began anew.
    punchedIn_ = sinceBoot_ - std::chrono::duration_cast<milliseconds>(now_ - at);
    punchedInAt_ = at;
    punch_.reset();
    countPunch();
}

void ClockModel::punchOut() {
    punchedIn_.reset();
    punchedInAt_.reset();
    punch_.reset();
    emit punchChanged();
}

void ClockModel::countPunch() {
    if (!punchedIn_) {
        return;
    }
    const auto counted = std::chrono::floor<minutes>(runTimeBetween(*punchedIn_, sinceBoot_));
    const int count = static_cast<int>(std::min<int64_t>(kPunchTop, counted.count()));
    if (count != punch_) {
        punch_ = count;
        emit punchChanged();
    }
}

void ClockModel::pressKey(int k) {
    if (k < 1 || k > 12) {
        return;
    }
    if (k == key_) {
        if (keyLatched_) {
            keyLatched_ = false;
            emit keyChanged(k, 0);
        } // up already: it stays up until another key is pressed
        return;
    }
    const int released = keyDown();
    key_ = k;
    keyLatched_ = true;
    emit keyChanged(released, k);
}

// ---- the announcer ----

void ClockModel::setAnnounceInterval(int mins) {
    announce_ = mins;
    emit announcerChanged();
}

int ClockModel::nextAnnounceInterval(int mins) {
    // From off and from a value outside the cycle alike, the first interval.
    const size_t at = cycleIndex(mins).value_or(0);
    return kAnnounceIntervals[(at + 1) % kAnnounceIntervals.size()];
}

void ClockModel::stepAnnouncer() {
    setAnnounceInterval(nextAnnounceInterval(announce_));
}

} // namespace velto
