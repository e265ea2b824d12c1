#include "platform/qt_clock.h"

#include <QDateTime>

namespace velto {

SecondTicker::SecondTicker() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        aim();
        if (onTick_) {
            onTick_();
        }
    });
}

int SecondTicker::delayAfter(int msOfSecond) {
    return 1000 - msOfSecond + kMarginMs;
}

void SecondTicker::start(std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    aim();
}

void SecondTicker::stop() {
    timer_.stop();
    onTick_ = nullptr;
}

void SecondTicker::aim() {
    // The millisecond of the second is the same in every zone: read without the zone.
    timer_.start(delayAfter(static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 1000)));
}

} // namespace velto
