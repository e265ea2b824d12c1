#pragma once
// The system's clock and the one-second ticker, on Qt.

#include "platform/seams.h"

#include <QObject>
#include <QTimer>

namespace velto {

/// The system's clock and zone. Each reading also takes up a change of the system's zone
/// (the TZ variable, /etc/localtime).
class SystemClock final : public Clock {
public:
    [[nodiscard]] ClockReading now() const override;
    [[nodiscard]] std::chrono::seconds utcOffsetAt(std::chrono::sys_seconds instant) const override;
};

/// Fires a few milliseconds after each whole second of the system clock. It re-aims at the
/// next whole second on every firing, so it neither drifts nor skips a second in normal
/// running, and it follows the clock when the clock is set.
class SecondTicker final : public QObject, public Ticker {
    Q_OBJECT
public:
    /// How long after the whole second the ticker aims to fire, so that a firing a hair
    /// early never reads the second before.
    static constexpr int kMarginMs = 3;

    SecondTicker();
    void start(std::function<void()> onTick) override;
    void stop() override;
    /// Milliseconds from `msOfSecond` (0..999) to the next firing.
    static int delayAfter(int msOfSecond);

private:
    void aim();
    QTimer timer_;
    std::function<void()> onTick_;
};

} // namespace velto
