#pragma once
// The object the running clock shows on the session bus. Its methods, properties and signal
// carry D-Bus's names; the interface's XML is made from this class when the program is built.

#include "observers/clock_commands.h"

#include <QDBusContext>
#include <QObject>
#include <QVariantMap>

namespace velto {

class ClockBus final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.velto_clock.Velto1")
    Q_PROPERTY(bool Armed READ armed)
    Q_PROPERTY(qlonglong AlarmAt READ alarmAt)
    Q_PROPERTY(QString AlarmKind READ alarmKind)
    Q_PROPERTY(uint MinutesLeft READ minutesLeft)
    Q_PROPERTY(bool PunchedIn READ punchedIn)
    Q_PROPERTY(qlonglong PunchedInSince READ punchedInSince)
    Q_PROPERTY(uint PunchMinutes READ punchMinutes)
    Q_PROPERTY(uint AnnounceInterval READ announceInterval)
    Q_PROPERTY(bool Ringing READ ringing)
    Q_PROPERTY(QString Label READ label)
public:
    ClockBus(ClockModel& model, ClockCommands& commands, std::function<void()> show);

    [[nodiscard]] bool armed() const;
    /// Epoch seconds; 0 when off.
    [[nodiscard]] qlonglong alarmAt() const;
    /// "countdown" or "time".
    [[nodiscard]] QString alarmKind() const;
    [[nodiscard]] uint minutesLeft() const;
    [[nodiscard]] bool punchedIn() const;
    /// Epoch seconds; 0 when punched out.
    [[nodiscard]] qlonglong punchedInSince() const;
    [[nodiscard]] uint punchMinutes() const;
    /// Minutes; 0 when off.
    [[nodiscard]] uint announceInterval() const;
    [[nodiscard]] bool ringing() const;
    [[nodiscard]] QString label() const;

    /// The properties as they are now, by name.
    [[nodiscard]] QVariantMap properties() const;

public slots: // D-Bus's names: PascalCase
    void SetCountdown(uint minutes);
    void SetAlarm(const QString& hhmm);
    void AlarmOff();
    void Punch(const QString& how);
    void SetAnnouncer(uint minutes);
    void Show();
    void Quit();
    /// The ringing alarm; an error when none rings.
    void Stop();
    void Snooze();
    /// The alarm's label; empty for none.
    void SetLabel(const QString& label);

signals:
    /// `kind` is "alarm" or "announcer"; `at` the ring's instant, epoch seconds.
    void Rang(const QString& kind, qlonglong at);

private:
    /// Carries out a command read from an option and its value, or answers the caller with
    /// an error that names the bad value.
    void carryOut(const char* option, const QString& value);
    /// Tells the bus of the properties that changed since it was last told.
    void sayChanges();

    ClockModel& model_;
    ClockCommands& commands_;
    std::function<void()> show_;
    QVariantMap said_;
};

} // namespace velto
