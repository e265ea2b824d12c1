#include "observers/ring_notices.h"

#include <QPointer>

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
    QString body = at && model_.instant() - *at > kLate
                       ? tr("Alarm %1, rang at %2: the computer was asleep")
                             .arg(due, minuteText(model_.time()))
                       : tr("Alarm %1").arg(due);
    if (!model_.label().isEmpty()) {
        body = model_.label() + QLatin1Char('\n') + body;
    }
    // Answered from the notice while it rings; a notice left after the ring ends asks nothing.
    const std::vector<NoticeAction> actions{{QStringLiteral("stop"), tr("Stop")},
                                            {QStringLiteral("snooze"), tr("Snooze")}};
    notifier_.notify(title(), body, actions,
                     [self = QPointer<RingNotices>(this)](const QString& id) {
                         if (!self) {
                             return;
                         }
                         if (id == QLatin1String("snooze")) {
                             self->model_.snooze();
                         } else if (id == QLatin1String("stop")) {
                             self->model_.stopRing();
                         }
                     });
}

void RingNotices::passedWhileAway(Notifier& notifier, const Clock& clock, Instant due) {
    notifier.notify(
        title(),
        tr("Alarm %1 passed while Velto was not running").arg(minuteText(timeAt(clock, due))));
}

} // namespace velto
