#include "observers/kept_settings.h"

#include "platform/console.h"

#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace velto {

namespace {

constexpr int kFormat = 1;
constexpr auto kVersion = "version";
constexpr auto kX = "window/x";
constexpr auto kY = "window/y";
constexpr auto kInterval = "announcer/interval";
constexpr auto kAlarmAt = "alarm/at";
constexpr auto kAlarmKind = "alarm/kind";
constexpr auto kPunchedIn = "punch/in";
// Instants outside these years are no instants this clock could have kept.
constexpr int64_t kEarliest = 946684800; // 2000-01-01
constexpr int64_t kLatest = 4102444800;  // 2100-01-01

/// Reads the values kept and says what made no sense in them.
class Reader {
public:
    explicit Reader(const QVariantMap& values) : values_(values) {}

    std::optional<int64_t> number(const char* key, int64_t lo, int64_t hi) {
        if (!values_.contains(key)) {
            return std::nullopt;
        }
        bool ok = false;
        const int64_t v = values_.value(key).toString().trimmed().toLongLong(&ok);
        if (!ok || v < lo || v > hi) {
            problems_ << QStringLiteral("%1 \"%2\"").arg(key, values_.value(key).toString());
            return std::nullopt;
        }
        return v;
    }
    /// `key` holds a number in range that is none of the choices.
    void noChoice(const char* key) {
        problems_ << QStringLiteral("%1 \"%2\"").arg(key, values_.value(key).toString());
    }
    std::optional<QString> oneOf(const char* key, const QStringList& allowed) {
        if (!values_.contains(key)) {
            return std::nullopt;
        }
        const QString v = values_.value(key).toString();
        if (!allowed.contains(v)) {
            problems_ << QStringLiteral("%1 \"%2\"").arg(key, v);
            return std::nullopt;
        }
        return v;
    }
    /// Says what made no sense, if anything did, and keeps the file aside.
    void setAsideIfWrong(SettingsStore& store) const {
        if (!problems_.isEmpty()) {
            store.setAside(QStringLiteral("make no sense in ") +
                           problems_.join(QStringLiteral(", ")));
        }
    }

private:
    const QVariantMap& values_;
    QStringList problems_;
};

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
    if (read.number(kVersion, kFormat, kFormat) != kFormat) {
        // Another program's file, or a later version's: nothing in it can be trusted.
        store_.setAside(kept_.contains(kVersion)
                            ? QStringLiteral("are of a format this version does not know")
                            : QStringLiteral("are not this clock's settings"));
        kept_.clear();
        return;
    }
    const auto x = read.number(kX, -100000, 100000);
    const auto y = read.number(kY, -100000, 100000);
    if (x && y) {
        keptPlace_ = QPoint(static_cast<int>(*x), static_cast<int>(*y));
        window_.move(onAScreen(QRect(*keptPlace_, window_.size())));
    }
    read.setAsideIfWrong(store_);
}

void KeptSettings::restoreClock() {
    Reader read(kept_);
    if (const auto interval = read.number(kInterval, 0, 60)) {
        if (ClockModel::cycleIndex(static_cast<int>(*interval))) {
            model_.setAnnounceInterval(static_cast<int>(*interval));
        } else {
            read.noChoice(kInterval);
        }
    }
    const auto at = read.number(kAlarmAt, kEarliest, kLatest);
    const auto kind = read.oneOf(kAlarmKind, {QStringLiteral("countdown"), QStringLiteral("time")});
    if (at) {
        const Instant due{std::chrono::seconds{*at}};
        const AlarmKind k =
            kind == QStringLiteral("time") ? AlarmKind::TimeOfDay : AlarmKind::Countdown;
        // In the future, or it rings at the next tick; off when it is too late to ring.
        const bool late = model_.instant() - due >= kStillWorthRinging;
        model_.restoreAlarm(due, k, !late);
        if (late && onPassedWhileAway) {
            onPassedWhileAway(due);
        }
    }
    if (const auto punched = read.number(kPunchedIn, kEarliest, kLatest)) {
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
    connect(&model_, &ClockModel::punchChanged, this, &KeptSettings::save);
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
    for (const char* key : {kX, kY, kInterval, kAlarmAt, kAlarmKind, kPunchedIn}) {
        v.remove(QLatin1String(key));
    }
    v[kVersion] = kFormat;
    if (desktop_.managesOwnWindows() && placed_) {
        v[kX] = window_.x();
        v[kY] = window_.y();
    } else if (keptPlace_) {
        // Where the window's place is not known (Wayland, or a window the window manager has
        // not placed yet) the one kept from before stays for the next start, rather than the
        // nowhere Qt reports.
        v[kX] = keptPlace_->x();
        v[kY] = keptPlace_->y();
    }
    v[kInterval] = model_.announceInterval();
    if (const auto at = model_.alarmAt()) {
        v[kAlarmAt] = static_cast<qlonglong>(at->time_since_epoch().count());
        v[kAlarmKind] = model_.alarmKind() == AlarmKind::TimeOfDay ? QStringLiteral("time")
                                                                   : QStringLiteral("countdown");
    }
    if (const auto in = model_.punchedInAt()) {
        v[kPunchedIn] = static_cast<qlonglong>(in->time_since_epoch().count());
    }
    return v;
}

void KeptSettings::save() {
    if (!restored_) {
        return;
    }
    const QVariantMap now = values();
    if (now != saved_ || unsaved_) { // the punch count goes on each minute; its start stays
        saved_ = now;
        unsaved_ = !store_.save(now);
    }
}

} // namespace velto
