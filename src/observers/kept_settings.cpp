#include "observers/kept_settings.h"

#include "platform/console.h"

#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <array>

namespace velto {

namespace {

constexpr int kFormat = 1;
// Instants outside these years are no instants this clock could have kept.
constexpr int64_t kEarliest = 946684800; // 2000-01-01
constexpr int64_t kLatest = 4102444800;  // 2100-01-01

/// What is kept, one row each: the key in the file, what kind of value it holds and what
/// makes sense there. A number is kept as a number between `lo` and `hi`; a word as one of
/// `words`, read and written as its place in them. Nothing has a default of its own: what is
/// not in the file leaves the clock as the program set it up.
enum class Setting {
    Version,
    X,
    Y,
    Interval,
    AlarmAt,
    AlarmKind,
    PunchedIn,
    Label,
    SoundFile,
    AlarmVolume,
    AnnouncerVolume,
    RingMinutes,
    SnoozeMinutes,
    QuietFrom,
    QuietTo,
};
/// A text is kept as it is, with at most `hi` characters; a time of day as "hh:mm".
enum class Type { Number, Word, Text, TimeOfDay };
struct Row {
    Setting setting;
    const char* key;
    Type type;
    int64_t lo = 0;
    int64_t hi = 0;
    std::array<const char*, 2> words{};
};
constexpr std::array<Row, 15> kSettings{{
    {Setting::Version, "version", Type::Number, kFormat, kFormat},
    {Setting::X, "window/x", Type::Number, -100000, 100000},
    {Setting::Y, "window/y", Type::Number, -100000, 100000},
    {Setting::Interval, "announcer/interval", Type::Number, 0, 60},
    {Setting::AlarmAt, "alarm/at", Type::Number, kEarliest, kLatest},
    {Setting::AlarmKind, "alarm/kind", Type::Word, 0, 1, {"countdown", "time"}}, // as AlarmKind
    {Setting::PunchedIn, "punch/in", Type::Number, kEarliest, kLatest},
    {Setting::Label, "alarm/label", Type::Text, 0, ClockModel::kLabelLength},
    {Setting::SoundFile, "sound/file", Type::Text, 0, 4096},
    {Setting::AlarmVolume, "sound/alarm_volume", Type::Number, 0, 100},
    {Setting::AnnouncerVolume, "sound/announcer_volume", Type::Number, 0, 100},
    {Setting::RingMinutes, "alarm/ring_minutes", Type::Number, 0, 10},
    {Setting::SnoozeMinutes, "alarm/snooze_minutes", Type::Number, 5, 15},
    {Setting::QuietFrom, "announcer/quiet_from", Type::TimeOfDay},
    {Setting::QuietTo, "announcer/quiet_to", Type::TimeOfDay},
}};
static_assert(static_cast<int>(AlarmKind::Countdown) == 0 &&
              static_cast<int>(AlarmKind::TimeOfDay) == 1);

constexpr const Row& row(Setting s) {
    return kSettings.at(static_cast<size_t>(s));
}
static_assert([] {
    for (size_t i = 0; i < kSettings.size(); ++i) {
        if (static_cast<size_t>(kSettings.at(i).setting) != i) {
            return false;
        }
    }
    return true;
}());

QString keyOf(Setting s) {
    return QLatin1String(row(s).key);
}

/// Reads the values kept and says what made no sense in them.
class Reader {
public:
    explicit Reader(const QVariantMap& values) : values_(values) {}

    [[nodiscard]] bool has(Setting s) const { return values_.contains(keyOf(s)); }

    /// The number kept for `s` when there is one in its bounds.
    std::optional<int64_t> number(Setting s) {
        const Row& r = row(s);
        Q_ASSERT(r.type == Type::Number);
        if (!has(s)) {
            return std::nullopt;
        }
        bool ok = false;
        const int64_t v = raw(s).trimmed().toLongLong(&ok);
        if (!ok || v < r.lo || v > r.hi) {
            wrong(s);
            return std::nullopt;
        }
        return v;
    }
    /// The place among its words of the word kept for `s`.
    std::optional<int> word(Setting s) {
        const Row& r = row(s);
        Q_ASSERT(r.type == Type::Word);
        if (!has(s)) {
            return std::nullopt;
        }
        const QString v = raw(s);
        for (size_t i = 0; i < r.words.size(); ++i) {
            if (v == QLatin1String(r.words.at(i))) {
                return static_cast<int>(i);
            }
        }
        wrong(s);
        return std::nullopt;
    }
    /// The text kept for `s` when it is no longer than its row allows.
    std::optional<QString> text(Setting s) {
        Q_ASSERT(row(s).type == Type::Text);
        if (!has(s)) {
            return std::nullopt;
        }
        QString v = raw(s);
        if (v.size() > row(s).hi) {
            wrong(s);
            return std::nullopt;
        }
        return v;
    }
    /// The time of day kept for `s`.
    std::optional<QTime> timeOfDay(Setting s) {
        Q_ASSERT(row(s).type == Type::TimeOfDay);
        if (!has(s)) {
            return std::nullopt;
        }
        const QTime v = QTime::fromString(raw(s).trimmed(), QStringLiteral("hh:mm"));
        if (!v.isValid()) {
            wrong(s);
            return std::nullopt;
        }
        return v;
    }
    /// `s` holds a value that makes no sense.
    void wrong(Setting s) { problems_ << QStringLiteral("%1 \"%2\"").arg(keyOf(s), raw(s)); }
    /// Says what made no sense, if anything did, and keeps the file aside.
    void setAsideIfWrong(SettingsStore& store) const {
        if (!problems_.isEmpty()) {
            store.setAside(QStringLiteral("make no sense in ") +
                           problems_.join(QStringLiteral(", ")));
        }
    }

private:
    [[nodiscard]] QString raw(Setting s) const { return values_.value(keyOf(s)).toString(); }

    const QVariantMap& values_;
    QStringList problems_;
};

/// Writes values as the table says they are kept.
class Writer {
public:
    explicit Writer(QVariantMap& values) : values_(values) {}
    void number(Setting s, int64_t v) {
        Q_ASSERT(row(s).type == Type::Number);
        values_[keyOf(s)] = static_cast<qlonglong>(v);
    }
    void text(Setting s, const QString& v) {
        Q_ASSERT(row(s).type == Type::Text && v.size() <= row(s).hi);
        values_[keyOf(s)] = v;
    }
    void timeOfDay(Setting s, QTime v) {
        Q_ASSERT(row(s).type == Type::TimeOfDay);
        values_[keyOf(s)] = minuteText(v);
    }
    void word(Setting s, int place) {
        Q_ASSERT(row(s).type == Type::Word);
        values_[keyOf(s)] = QString::fromLatin1(row(s).words.at(static_cast<size_t>(place)));
    }

private:
    QVariantMap& values_;
};

/// The ring's choices as kept, each one not kept or wrong as the default.
void restoreChoices(ClockModel& model, Reader& read) {
    RingChoices c;
    c.soundFile = read.text(Setting::SoundFile).value_or(c.soundFile);
    c.alarmVolume = static_cast<int>(read.number(Setting::AlarmVolume).value_or(c.alarmVolume));
    c.announcerVolume =
        static_cast<int>(read.number(Setting::AnnouncerVolume).value_or(c.announcerVolume));
    // Within the bounds but none of the lengths offered: wrong all the same.
    const auto offered = [&read](Setting s, const auto& values, int fallback) {
        const auto v = read.number(s);
        if (v && std::find(values.begin(), values.end(), *v) == values.end()) {
            read.wrong(s);
            return fallback;
        }
        return static_cast<int>(v.value_or(fallback));
    };
    c.ringMinutes = offered(Setting::RingMinutes, ClockModel::kRingMinutes, c.ringMinutes);
    c.snoozeMinutes = offered(Setting::SnoozeMinutes, ClockModel::kSnoozeMinutes, c.snoozeMinutes);
    const auto from = read.timeOfDay(Setting::QuietFrom);
    const auto to = read.timeOfDay(Setting::QuietTo);
    if (from && to) {
        c.quietFrom = *from;
        c.quietTo = *to;
    }
    model.setChoices(c);
}

/// `at` moved into the screen that holds most of `frame` there, or the primary one.
QPoint onAScreen(QRect frame) {
    const QScreen* best = QGuiApplication::primaryScreen();
    int bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(frame);
        if (common.width() * common.height() > bestArea) {
            best = screen;
            bestArea = common.width() * common.height();
        }
    }
    if (best == nullptr) {
        return frame.topLeft();
    }
    const QRect area = best->availableGeometry();
    return {
        std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() - frame.width() + 1)),
        std::clamp(frame.y(), area.top(),
                   std::max(area.top(), area.bottom() - frame.height() + 1))};
}

} // namespace

KeptSettings::KeptSettings(ClockModel& model, SettingsStore& store, const Desktop& desktop,
                           QWidget& window)
    : QObject(&window), model_(model), store_(store), desktop_(desktop), window_(window) {
    moved_.setSingleShot(true);
    moved_.setInterval(500);
    connect(&moved_, &QTimer::timeout, this, &KeptSettings::save);
}

void KeptSettings::restoreWindow() {
    kept_ = store_.load();
    if (kept_.isEmpty()) {
        return;
    }
    Reader read(kept_);
    if (read.number(Setting::Version) != kFormat) {
        // Another program's file, or a later version's: nothing in it can be trusted.
        store_.setAside(read.has(Setting::Version)
                            ? QStringLiteral("are of a format this version does not know")
                            : QStringLiteral("are not this clock's settings"));
        kept_.clear();
        return;
    }
    const auto x = read.number(Setting::X);
    const auto y = read.number(Setting::Y);
    if (x && y) {
        keptPlace_ = QPoint(static_cast<int>(*x), static_cast<int>(*y));
        window_.move(onAScreen(QRect(*keptPlace_, window_.size())));
    }
    read.setAsideIfWrong(store_);
}

void KeptSettings::restoreClock() {
    Reader read(kept_);
    if (const auto interval = read.number(Setting::Interval)) {
        if (ClockModel::cycleIndex(static_cast<int>(*interval))) {
            model_.setAnnounceInterval(static_cast<int>(*interval));
        } else {
            read.wrong(Setting::Interval);
        }
    }
    const auto at = read.number(Setting::AlarmAt);
    const auto kind = read.word(Setting::AlarmKind);
    if (at) {
        const Instant due{std::chrono::seconds{*at}};
        const AlarmKind k = static_cast<AlarmKind>(kind.value_or(0));
        // In the future, or it rings at the next tick; off when it is too late to ring.
        const bool late = model_.instant() - due >= kStillWorthRinging;
        model_.restoreAlarm(due, k, !late);
        if (late && onPassedWhileAway) {
            onPassedWhileAway(due);
        }
    }
    if (const auto label = read.text(Setting::Label)) {
        if (!model_.setLabel(*label)) {
            read.wrong(Setting::Label);
        }
    }
    restoreChoices(model_, read);
    // Kept here by an earlier version: the punch log takes it over, and it is written here no
    // more.
    if (const auto punched = read.number(Setting::PunchedIn)) {
        const Instant in{std::chrono::seconds{*punched}};
        if (in > model_.instant()) {
            // Kept by a clock that was set ahead, or by hand: the count starts now.
            qCWarning(lcSettings, "the punch-in kept for %s is still to come; the count starts now",
                      qPrintable(QDateTime::fromSecsSinceEpoch(*punched).toString(Qt::ISODate)));
        }
        model_.restorePunch(std::min(in, model_.instant()));
    }
    read.setAsideIfWrong(store_);
    restored_ = true;
    save();
    connect(&model_, &ClockModel::alarmChanged, this, &KeptSettings::save);
    connect(&model_, &ClockModel::announcerChanged, this, &KeptSettings::save);
    connect(&model_, &ClockModel::labelChanged, this, &KeptSettings::save);
    connect(&model_, &ClockModel::choicesChanged, this, &KeptSettings::save);
    // What could not be written (a full disk, a folder made read-only) is tried again.
    connect(&model_, &ClockModel::timeChanged, this, [this](bool fullMinute) {
        if (fullMinute && unsaved_) {
            save();
        }
    });
    window_.installEventFilter(this);
}

bool KeptSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Move && window_.isVisible()) {
        // The window manager placed the window, or the user moved it: its place is known.
        placed_ = true;
        moved_.start();
    }
    return QObject::eventFilter(watched, event);
}

QVariantMap KeptSettings::values() const {
    // What a later version or another program keeps beside ours is written back as it was.
    QVariantMap v = kept_;
    for (const Row& r : kSettings) {
        v.remove(QLatin1String(r.key));
    }
    Writer write(v);
    write.number(Setting::Version, kFormat);
    if (desktop_.managesOwnWindows() && placed_) {
        write.number(Setting::X, window_.x());
        write.number(Setting::Y, window_.y());
    } else if (keptPlace_) {
        // Where the window's place is not known (Wayland, or a window the window manager has
        // not placed yet) the one kept from before stays for the next start, rather than the
        // nowhere Qt reports.
        write.number(Setting::X, keptPlace_->x());
        write.number(Setting::Y, keptPlace_->y());
    }
    write.number(Setting::Interval, model_.announceInterval());
    if (const auto at = model_.alarmAt()) {
        write.number(Setting::AlarmAt, at->time_since_epoch().count());
        write.word(Setting::AlarmKind, static_cast<int>(model_.alarmKind()));
    }
    // The choices only where they differ from the defaults: a file that names none rings as
    // the clock always has, also after a later version changes a default.
    const RingChoices& c = model_.choices();
    const RingChoices defaults;
    if (!model_.label().isEmpty()) {
        write.text(Setting::Label, model_.label());
    }
    if (c.soundFile != defaults.soundFile) {
        write.text(Setting::SoundFile, c.soundFile);
    }
    const auto number = [&write](Setting s, int value, int fallback) {
        if (value != fallback) {
            write.number(s, value);
        }
    };
    number(Setting::AlarmVolume, c.alarmVolume, defaults.alarmVolume);
    number(Setting::AnnouncerVolume, c.announcerVolume, defaults.announcerVolume);
    number(Setting::RingMinutes, c.ringMinutes, defaults.ringMinutes);
    number(Setting::SnoozeMinutes, c.snoozeMinutes, defaults.snoozeMinutes);
    if (c.quietFrom.isValid() && c.quietTo.isValid()) {
        write.timeOfDay(Setting::QuietFrom, c.quietFrom);
        write.timeOfDay(Setting::QuietTo, c.quietTo);
    }
    return v;
}

void KeptSettings::save() {
    if (!restored_) {
        return;
    }
    const QVariantMap now = values();
    if (now != saved_ || unsaved_) {
        saved_ = now;
        unsaved_ = !store_.save(now);
    }
}

} // namespace velto
