// The real one-second ticker: it fires just after each whole second of the clock and aims
// itself again at every firing.
#include "platform/qt_clock.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace velto::test {

TEST(SecondTicker, AimsJustPastTheNextWholeSecond) {
    EXPECT_EQ(SecondTicker::delayAfter(0), 1000 + SecondTicker::kMarginMs);
    EXPECT_EQ(SecondTicker::delayAfter(997), 3 + SecondTicker::kMarginMs);
    EXPECT_EQ(SecondTicker::delayAfter(999), 1 + SecondTicker::kMarginMs);
}

TEST(SecondTicker, FiresOnceInEachOfTheFollowingSeconds) {
    SecondTicker ticker;
    QEventLoop loop;
    std::vector<QDateTime> firings;
    ticker.start([&] {
        firings.push_back(QDateTime::currentDateTime());
        if (firings.size() == 3) {
            loop.quit();
        }
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // a stuck ticker fails, not hangs
    loop.exec();
    ticker.stop();
    ASSERT_EQ(firings.size(), 3u);
    for (size_t i = 1; i < firings.size(); ++i) {
        // One firing per second: none skipped, none twice. (How late after the whole second
        // it fires is measured by the benchmark, not asserted here.)
        EXPECT_EQ(firings[i].toSecsSinceEpoch() - firings[i - 1].toSecsSinceEpoch(), 1);
    }
    const int fired = static_cast<int>(firings.size());
    QTimer::singleShot(1200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(static_cast<int>(firings.size()), fired); // stopped means stopped
}

} // namespace velto::test
