#pragma once
// The ring: the one signal of the alarm and the announcer, heard and seen. It plays the
// sound and opens the alarm window whenever the model rings.

#include "art/depot.h"
#include "model/clock_model.h"
#include "platform/seams.h"

#include <QObject>
#include <QPointer>

namespace velto {

class AlarmWindow;

/// The file of sound `name`: wav/<name>.wav in the program's folder if it is there, else the
/// first found in the data folders (the user's own before the system's), else the one in
/// the program's folder, so that a report names where it was looked for first.
QString wavePath(const Desktop& desktop, const QString& name);

class Ringer final : public QObject {
    Q_OBJECT
public:
    /// Rings at every ring of `model`; the alarm window opens over `main`.
    Ringer(const ClockModel& model, Depot& depot, SoundPlayer& sound, const Desktop& desktop,
           const QWidget& main);
    /// The alarm window goes with the ringer, even while it counts down.
    ~Ringer() override;
    Ringer(const Ringer&) = delete;
    Ringer& operator=(const Ringer&) = delete;

    /// Loads the sound ahead of time, so that the first ring is heard at once. From then on,
    /// sound that goes or comes back between rings is said on the console too.
    void prepare();
    /// Plays the sound without waiting and opens the alarm window, unless it is open
    /// already. A sound that cannot be played as it is (the player then plays its own), or
    /// not at all, is reported on the console once per cause (until it plays again); the
    /// ring goes on.
    void ring();
    /// Closes the alarm window as its button would; false when none is open.
    bool dismiss();
    /// The alarm window while it is open; null otherwise.
    [[nodiscard]] AlarmWindow* window() const;

private:
    /// Says a sound failure on the console unless it is the one said last.
    void report(bool heard);
    /// Says what the player found out between rings: sound gone, or back after a failure.
    void reportChange();
    [[nodiscard]] QString alarmSound() const;

    const ClockModel& model_;
    Depot& depot_;
    SoundPlayer& sound_;
    const Desktop& desktop_;
    const QWidget& main_;
    QPointer<AlarmWindow> window_;
    QString soundError_; // the last failure said, so that it is said once
};

} // namespace velto
