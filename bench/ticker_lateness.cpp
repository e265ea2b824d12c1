// How late after each whole second the real ticker fires: median and 99th percentile, over
// a minute by default (VELTO_LATENESS_SECONDS sets another length).
#include "platform/qt_clock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool ok = false;
    int seconds = qEnvironmentVariableIntValue("VELTO_LATENESS_SECONDS", &ok);
    if (!ok || seconds <= 0) {
        seconds = 60;
    }
    std::vector<int> lateMs;
    lateMs.reserve(static_cast<size_t>(seconds));
    velto::SecondTicker ticker;
    ticker.start([&] {
        lateMs.push_back(QTime::currentTime().msec());
        if (static_cast<int>(lateMs.size()) >= seconds) {
            QCoreApplication::quit();
        }
    });
    std::printf("ticker lateness: measuring %d firings...\n", seconds);
    std::fflush(stdout);
    QCoreApplication::exec();
    ticker.stop();

    // A firing at .003 is 3 ms late; one at .998 came 2 ms early (it counts as -2).
    std::vector<int> late;
    late.reserve(lateMs.size());
    for (int ms : lateMs) {
        late.push_back(ms >= 500 ? ms - 1000 : ms);
    }
    std::sort(late.begin(), late.end());
    const auto at = [&late](double q) {
        return late[std::min(late.size() - 1,
                             static_cast<size_t>(q * static_cast<double>(late.size())))];
    };
    std::printf("ticker lateness after the whole second over %zu firings: median %d ms, p99 %d ms, "
                "min %d ms, max %d ms\n",
                late.size(), at(0.5), at(0.99), late.front(), late.back());
    return 0;
}
