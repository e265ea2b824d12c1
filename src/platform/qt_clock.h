#pragma once
// The system's clock and the one-second ticker, on Qt.

#include "platform/seams.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

namespace velto {

/// The system's clock and zone. Each reading also takes up a change of the system's zone
/// (the TZ variable, /etc/localtime).
class SystemClock final : public Clock {
public:
    [[nodiscard]] ClockReading now() const override;
    [[nodiscard]] std::chrono::seconds utcOffsetAt(std::chrono::sys_seconds instant) const override;
};

class ClockSetWatch;

/// Fires a few milliseconds after each whole second of the system clock. It re-aims at the
/// next whole second on every firing, so it neither drifts nor skips a second in normal
/// running, and it follows the clock when the clock is set. On Linux it can rest between
/// the things that are due, and fires at once when the clock is set or the machine resumes.
class SecondTicker final : public QObject, public Ticker {
    Q_OBJECT
public:
    /// How long after the whole second the ticker aims to fire, so that a firing a hair
    /// early never reads the second before.
    static constexpr int kMarginMs = 3;
    /// The longest rest: a day, well within a timer's range.
    static constexpr int64_t kLongestRestMs = 24LL * 3600 * 1000;

    SecondTicker();
    ~SecondTicker() override;
    void start(std::function<void()> onTick) override;
    void stop() override;
    void restFor(std::chrono::milliseconds span) override;
    void resume() override;
    /// Milliseconds from `msOfSecond` (0..999) to the next firing.
    static int delayAfter(int msOfSecond);

private:
    void fire();
    void aim();
    QTimer timer_;
    std::function<void()> onTick_;
    std::unique_ptr<ClockSetWatch> setWatch_;
    bool resting_ = false; // the timer aims past the next second
};

} // namespace velto
