#pragma once
// The alarm's rings as desktop notifications, so that a ring is still seen by a user who was
// away from the screen or had the sound off. The announcer's rings are not worth one.

#include "model/clock_model.h"

#include <QObject>

namespace velto {

class RingNotices final : public QObject {
    Q_OBJECT
public:
    /// Rings that come later than this after the alarm's instant say when they were due.
    static constexpr std::chrono::seconds kLate{60};

    /// Posts a notice through `notifier` at each ring of the alarm of `model`; goes with the
    /// model.
    RingNotices(ClockModel& model, Notifier& notifier);

    /// The alarm due at `due` passed while the program was not running: the user is told
    /// through `notifier` that it did, with the local time `clock` shows for it.
    static void passedWhileAway(Notifier& notifier, const Clock& clock, Instant due);

private:
    void rang(RingKind kind);

    ClockModel& model_;
    Notifier& notifier_;
};

} // namespace velto
