#include "platform/qt_clock.h"

#include <QDateTime>

#ifdef Q_OS_LINUX
#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace velto {

#ifdef Q_OS_LINUX
// A timer on the wall clock a year ahead, which the kernel cancels when the clock is set or
// the machine resumes from suspend: its file turns readable then, and the ticker fires. It
// costs no wake-up otherwise.
class ClockSetWatch final {
public:
    explicit ClockSetWatch(std::function<void()> onSet) : onSet_(std::move(onSet)) {
        fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
        if (fd_ < 0 || !arm()) {
            return;
        }
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
            uint64_t expired = 0;
            // Fails with ECANCELED after a set; the year's end reads as one expiry.
            while (read(fd_, &expired, sizeof expired) < 0 && errno == EINTR) {
            }
            arm();
            onSet_();
        });
    }
    ~ClockSetWatch() {
        notifier_.reset();
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    ClockSetWatch(const ClockSetWatch&) = delete;
    ClockSetWatch& operator=(const ClockSetWatch&) = delete;
    [[nodiscard]] bool watching() const { return notifier_ != nullptr; }

private:
    bool arm() const {
        constexpr time_t kYear = 365L * 24 * 3600;
        itimerspec ahead{};
        clock_gettime(CLOCK_REALTIME, &ahead.it_value);
        ahead.it_value.tv_sec += kYear;
        return timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &ahead, nullptr) ==
               0;
    }

    std::function<void()> onSet_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
#else
// Elsewhere the ticker does not know when the clock is set, and does not rest.
class ClockSetWatch final {
public:
    explicit ClockSetWatch(const std::function<void()>& /*onSet*/) {}
    [[nodiscard]] bool watching() const { return false; }
};
#endif

SecondTicker::SecondTicker() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTicker::fire);
}

SecondTicker::~SecondTicker() = default;

int SecondTicker::delayAfter(int msOfSecond) {
    return 1000 - msOfSecond + kMarginMs;
}

void SecondTicker::start(std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    if (!setWatch_) {
        setWatch_ = std::make_unique<ClockSetWatch>([this] {
            // A rest may now end too late: the tick comes at once. Ticking each second, the
            // next second's tick comes soon enough, aimed at the clock's new edge.
            if (resting_) {
                fire();
            } else if (onTick_) {
                aim();
            }
        });
    }
    aim();
}

void SecondTicker::stop() {
    timer_.stop();
    resting_ = false;
    onTick_ = nullptr;
}

void SecondTicker::restFor(std::chrono::milliseconds span) {
    if (onTick_ && setWatch_ && setWatch_->watching()) {
        timer_.start(static_cast<int>(std::min<int64_t>(span.count(), kLongestRestMs)) + kMarginMs);
        resting_ = true;
    }
}

void SecondTicker::resume() {
    // Each firing aims at the next second already: only a rest needs ending.
    if (onTick_ && resting_) {
        aim();
    }
}

void SecondTicker::fire() {
    aim();
    if (onTick_) {
        onTick_();
    }
}

void SecondTicker::aim() {
    resting_ = false;
    // The millisecond of the second is the same in every zone: read without the zone.
    timer_.start(delayAfter(static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 1000)));
}

} // namespace velto
