// Speed and memory of the clock's hot paths.
#include "core/velto_app.h"
#include "platform/qt_platform.h"

#include <QApplication>
#include <QTimeZone>
#include <benchmark/benchmark.h>

namespace {

/// A fake clock the benchmark moves on by hand.
class StepClock final : public velto::Clock {
public:
    [[nodiscard]] QDateTime now() const override { return now_; }
    void advance() { now_ = now_.addSecs(1); }

private:
    QDateTime now_{QDate(2026, 12, 8), QTime(10, 10, 30), QTimeZone::utc()};
};

class IdleTicker final : public velto::Ticker {
public:
    void start(std::function<void()>) override {}
    void stop() override {}
};

class NullInstance final : public velto::InstanceGuard {
public:
    bool claim() override { return true; }
    void onActivationRequest(std::function<void()>) override {}
};

struct Program {
    StepClock clock;
    IdleTicker ticker;
    velto::SilentSound sound;
    velto::NoTray tray;
    velto::QtMessageBoxes messages;
    velto::QtUrlOpener urls;
    NullInstance instance;
    velto::QtDesktop desktop;
    velto::Platform platform{clock, ticker, sound, tray, messages, urls, instance, desktop};
    velto::VeltoApp app{platform};
    Program() { app.startUp(); }
};

void BM_MainTick(benchmark::State& state) {
    Program p;
    for (auto _ : state) {
        p.clock.advance();
        p.app.mainTick();
    }
}
BENCHMARK(BM_MainTick)->Unit(benchmark::kMicrosecond);

void BM_MainTickSameSecond(benchmark::State& state) {
    Program p;
    p.clock.advance();
    p.app.mainTick();
    for (auto _ : state) {
        p.app.mainTick();
    }
}
BENCHMARK(BM_MainTickSameSecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
