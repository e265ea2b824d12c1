#include "observers/ring_notices.h"

namespace velto {

namespace {

QString title() {
    return QStringLiteral("Velto");
}

/// The local "hh:mm" of `t`.
QString hhmm(const Clock& clock, Instant t) {
    using namespace std::chrono;
    const local_seconds local{(t + clock.utcOffsetAt(t)).time_since_epoch()};
    const hh_mm_ss time{local - floor<days>(local)};
    return QString::asprintf("%02d:%02d", static_cast<int>(time.hours().count()),
                             static_cast<int>(time.minutes().count()));
}

} // namespace

RingNotices::RingNotices(ClockModel& model, Notifier& notifier)
    : QObject(&model), model_(model), notifier_(notifier) {
    connect(&model, &ClockModel::ring, this, &RingNotices::rang);
}

void RingNotices::rang(RingKind kind) {
    if (kind != RingKind::Alarm) {
        return;
    }
    // The ring comes while the alarm still counts as armed, so its instant is known.
    const QString due = model_.alarmTime().left(5);
    const std::optional<Instant> at = model_.alarmAt();
    if (at && model_.instant() - *at > kLate) {
        notifier_.notify(title(), tr("Alarm %1, rang at %2: the computer was asleep")
                                      .arg(due, model_.now().toString(QStringLiteral("hh:mm"))));
        return;
    }
    notifier_.notify(title(), tr("Alarm %1").arg(due));
}

void RingNotices::passedWhileAway(Notifier& notifier, const Clock& clock, Instant due) {
    notifier.notify(title(),
                    tr("Alarm %1 passed while Velto was not running").arg(hhmm(clock, due)));
}

} // namespace velto
