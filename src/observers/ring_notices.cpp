#include "observers/ring_notices.h"

namespace velto {

namespace {

QString title() {
    return QStringLiteral("Velto");
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
    const QString due = minuteText(model_.alarmTime());
    const std::optional<Instant> at = model_.alarmAt();
    if (at && model_.instant() - *at > kLate) {
        notifier_.notify(title(), tr("Alarm %1, rang at %2: the computer was asleep")
                                      .arg(due, minuteText(model_.time())));
        return;
    }
    notifier_.notify(title(), tr("Alarm %1").arg(due));
}

void RingNotices::passedWhileAway(Notifier& notifier, const Clock& clock, Instant due) {
    notifier.notify(
        title(),
        tr("Alarm %1 passed while Velto was not running").arg(minuteText(timeAt(clock, due))));
}

} // namespace velto
