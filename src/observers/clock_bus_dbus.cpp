#include "observers/clock_bus_dbus.h"
#include "observers/clock_bus.h"

#include "platform/console.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaProperty>

namespace velto {

namespace {

const QString kService = QStringLiteral("io.github.velto_clock.Velto");
const QString kPath = QStringLiteral("/io/github/velto_clock/Velto");
const QString kInterface = QStringLiteral("io.github.velto_clock.Velto1");

qlonglong epoch(std::optional<Instant> t) {
    return t ? static_cast<qlonglong>(t->time_since_epoch().count()) : 0;
}

} // namespace

ClockBus::ClockBus(ClockModel& model, ClockCommands& commands, std::function<void()> show)
    : QObject(&commands), model_(model), commands_(commands), show_(std::move(show)) {
    said_ = properties();
    // The minutes are told once a minute, not at each second.
    for (auto changed :
         {&ClockModel::alarmChanged, &ClockModel::punchChanged, &ClockModel::announcerChanged,
          &ClockModel::ringingChanged, &ClockModel::labelChanged}) {
        connect(&model_, changed, this, &ClockBus::sayChanges);
    }
    connect(&model_, &ClockModel::timeChanged, this, [this](bool fullMinute) {
        if (fullMinute) {
            sayChanges();
        }
    });
    connect(&model_, &ClockModel::ring, this, [this](RingKind kind) {
        emit Rang(kind == RingKind::Alarm ? QStringLiteral("alarm") : QStringLiteral("announcer"),
                  epoch(model_.instant()));
    });
}

bool ClockBus::armed() const {
    return model_.armed();
}

qlonglong ClockBus::alarmAt() const {
    return epoch(model_.alarmAt());
}

QString ClockBus::alarmKind() const {
    return model_.alarmKind() == AlarmKind::Countdown ? QStringLiteral("countdown")
                                                      : QStringLiteral("time");
}

uint ClockBus::minutesLeft() const {
    return static_cast<uint>(model_.minutesLeft());
}

bool ClockBus::punchedIn() const {
    return model_.punchMinutes().has_value();
}

qlonglong ClockBus::punchedInSince() const {
    return epoch(model_.punchedInAt());
}

uint ClockBus::punchMinutes() const {
    return static_cast<uint>(model_.punchMinutes().value_or(0));
}

uint ClockBus::announceInterval() const {
    return static_cast<uint>(model_.announceInterval());
}

bool ClockBus::ringing() const {
    return model_.ringing();
}

QString ClockBus::label() const {
    return model_.label();
}

QVariantMap ClockBus::properties() const {
    QVariantMap all;
    const QMetaObject* meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        all.insert(QString::fromLatin1(property.name()), property.read(this));
    }
    return all;
}

void ClockBus::sayChanges() {
    const QVariantMap now = properties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (said_.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    if (changed.isEmpty()) {
        return;
    }
    said_ = now;
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void ClockBus::carryOut(const char* option, const QString& value) {
    const ReadCommand read = readCommand(QString::fromLatin1(option), value);
    if (!read.command) {
        sendErrorReply(kInterface + QStringLiteral(".Error.InvalidArgs"), read.error);
        return;
    }
    const CommandAnswer answer = commands_.carryOut(*read.command);
    if (answer.status != kDone) {
        sendErrorReply(kInterface + QStringLiteral(".Error.Refused"), answer.text);
    }
}

void ClockBus::SetCountdown(uint minutes) {
    carryOut("in", QString::number(minutes));
}

void ClockBus::SetAlarm(const QString& hhmm) {
    carryOut("at", hhmm);
}

void ClockBus::AlarmOff() {
    carryOut("off", {});
}

void ClockBus::Punch(const QString& how) {
    carryOut("punch", how);
}

void ClockBus::SetAnnouncer(uint minutes) {
    carryOut("announce", minutes == 0 ? QStringLiteral("off") : QString::number(minutes));
}

void ClockBus::Show() {
    show_();
}

void ClockBus::Quit() {
    carryOut("quit", {});
}

void ClockBus::Stop() {
    carryOut("stop", {});
}

void ClockBus::Snooze() {
    carryOut("snooze", {});
}

void ClockBus::SetLabel(const QString& label) {
    const QString why = ClockModel::labelProblem(label);
    if (!why.isEmpty()) {
        sendErrorReply(kInterface + QStringLiteral(".Error.InvalidArgs"), why);
        return;
    }
    model_.setLabel(label);
}

void offerOnSessionBus(ClockModel& model, ClockCommands& commands, std::function<void()> show) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcCommands, "no session bus (%s): scripts reach the clock by its command line",
               qPrintable(bus.lastError().message()));
        return;
    }
    auto* object = new ClockBus(model, commands, std::move(show));
    if (!bus.registerObject(kPath, object,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties |
                                QDBusConnection::ExportAllSignals)) {
        qCWarning(lcCommands, "cannot show the clock on the session bus: %s",
                  qPrintable(bus.lastError().message()));
        return;
    }
    // Asked without waiting: a bus that is slow to answer must not hold up the clock. Only
    // the running clock may own the name, so it does not queue for it.
    constexpr uint kDoNotQueue = 4;
    QDBusMessage request = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    request << kService << kDoNotQueue;
    auto* asked = new QDBusPendingCallWatcher(bus.asyncCall(request), object);
    QObject::connect(asked, &QDBusPendingCallWatcher::finished, object,
                     [](QDBusPendingCallWatcher* answer) {
                         constexpr uint kPrimaryOwner = 1;
                         const QDBusPendingReply<uint> reply = *answer;
                         if (reply.isError() || reply.value() != kPrimaryOwner) {
                             qCWarning(lcCommands, "the session bus name %s is not ours: %s",
                                       qPrintable(kService),
                                       reply.isError() ? qPrintable(reply.error().message())
                                                       : "another program owns it");
                         }
                         answer->deleteLater();
                     });
}

} // namespace velto
