// Speed and memory of the clock's hot paths.
#include "app/velto_app.h"
#include "art/depot.h"
#include "platform/process.h"
#include "platform/qt_desktop.h"
#include "views/main_window.h"

#include <QApplication>
#include <QPainter>
#include <QTimeZone>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

/// A fake clock the benchmark moves on by hand.
class StepClock final : public velto::Clock {
public:
    [[nodiscard]] velto::ClockReading now() const override {
        return {now_, now_.time_since_epoch()};
    }
    [[nodiscard]] std::chrono::seconds utcOffsetAt(std::chrono::sys_seconds) const override {
        return std::chrono::seconds{0};
    }
    void advance() { now_ += std::chrono::seconds{1}; }

private:
    std::chrono::sys_time<std::chrono::milliseconds> now_{
        std::chrono::sys_days{std::chrono::December / 8 / 2026} + std::chrono::hours{10} +
        std::chrono::minutes{10} + std::chrono::seconds{30}};
};

class IdleTicker final : public velto::Ticker {
public:
    void start(std::function<void()>) override {}
    void stop() override {}
    void restFor(std::chrono::milliseconds) override {}
    void resume() override {}
};

class NullSettings final : public velto::SettingsStore {
public:
    QVariantMap load() override { return {}; }
    void setAside(const QString&) override {}
    bool save(const QVariantMap&) override { return true; }
};

class NullInstance final : public velto::InstanceGuard {
public:
    bool claim() override { return true; }
    void onActivationRequest(std::function<void()>) override {}
    void onCommand(std::function<QByteArray(const QByteArray&)>) override {}
};

/// Plays nothing and says it worked, so the announcer's rings cost nothing here.
class MuteSound final : public velto::SoundPlayer {
public:
    bool prepare(const QString&) override { return true; }
    bool play(const QString&, const velto::Playing&) override { return true; }
    void setVolume(double) override {}
    void stop() override {}
    [[nodiscard]] QString error() const override { return {}; }
    void onChanged(std::function<void()>) override {}
};

/// A tray that takes the icon and shows nothing, so start-up has no message to give.
class QuietTray final : public velto::TrayIcon {
public:
    bool add(const QIcon&, const QString&) override { return true; }
    bool modify(const QIcon&, const QString&) override { return true; }
    void remove() override {}
    [[nodiscard]] bool visible() const override { return true; }
    void setMenu(std::vector<velto::TrayMenuItem>) override {}
    void setMenuCaption(int, const QString&) override {}
    void onClick(std::function<void(velto::TrayClick)>) override {}
    void onAreaAppeared(std::function<void()>) override {}
    void onAreaStillMissing(std::function<void()>) override {}
    void onAreaGone(std::function<void()>) override {}
};

class NoLoginStart final : public velto::LoginStart {
public:
    [[nodiscard]] bool enabled() const override { return false; }
    bool setEnabled(bool, QString*) override { return true; }
};

class NoNotices final : public velto::Notifier {
public:
    void notify(const QString&, const QString&) override {}
    void notify(const QString&, const QString&, const std::vector<velto::NoticeAction>&,
                std::function<void(const QString&)>) override {}
};

class NoPlayers final : public velto::MediaPlayers {
public:
    void pausePlaying() override {}
    void resumePaused() override {}
};

struct Program {
    StepClock clock;
    IdleTicker ticker;
    MuteSound sound;
    QuietTray tray;
    velto::QtMessageBoxes messages;
    velto::QtUrlOpener urls;
    NullInstance instance;
    velto::QtDesktop desktop;
    NullSettings settings;
    NoLoginStart login;
    NoNotices notifier;
    NoPlayers media;
    velto::Platform platform{clock,    ticker,  sound,    tray,  messages, urls,
                             instance, desktop, settings, login, notifier, media};
    velto::VeltoApp app{platform};
    Program() { app.startUp(); }
    /// The clock face, found by its name as any tool finds a window's controls.
    [[nodiscard]] velto::PictureBox& face() const {
        return *app.mainWindow().findChild<velto::PictureBox*>(QStringLiteral("picClock"));
    }
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

/// Drawing the pictures of the first frame, on two threads as start-up does before the window
/// shows (the background, painted once for each scale, is not drawn again).
void BM_DepotLoad(benchmark::State& state) {
    for (auto _ : state) {
        velto::ArtAhead ahead(1, velto::dialNumbers());
        velto::Depot depot(velto::dialNumbers(), &ahead);
        benchmark::DoNotOptimize(&depot);
    }
}
BENCHMARK(BM_DepotLoad)->Unit(benchmark::kMicrosecond);

/// One redraw of the face: back to the bare dial, then the three hands pixel by pixel.
void BM_RedrawHands(benchmark::State& state) {
    Program p;
    velto::MainWindow& main = p.app.mainWindow();
    const velto::PictureBox& face = p.face();
    for (auto _ : state) {
        main.redrawHands();
        benchmark::DoNotOptimize(face.surface().constBits());
    }
}
BENCHMARK(BM_RedrawHands);

/// The same three hands drawn by QPainter's anti-aliased lines, for comparison.
void BM_QPainterHands(benchmark::State& state) {
    Program p;
    p.app.mainWindow().redrawHands(); // the tips of 10:10:30
    const velto::FaceGeometry& s = p.app.mainWindow().faceGeometry();
    velto::PictureBox& face = p.face();
    const auto line = [](velto::PixelPoint a, velto::PixelPoint b) {
        return QLineF(a.x + 0.5, a.y + 0.5, b.x + 0.5, b.y + 0.5);
    };
    const QColor hourMinute(40, 190, 230);
    const QColor second(40, 220, 240);
    for (auto _ : state) {
        face.cls();
        QPainter painter(&face.surface());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(hourMinute, 5, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line(s.hourStart, s.hourEnd));
        painter.setPen(QPen(hourMinute, 3, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line(s.minuteStart, s.minuteEnd));
        painter.setPen(QPen(second, 1, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line(s.secondStart, s.secondEnd));
        painter.end();
        face.update();
        benchmark::DoNotOptimize(face.surface().constBits());
    }
}
BENCHMARK(BM_QPainterHands);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    {
        Program p; // what one whole clock holds, its depot of pictures included
        std::printf("peak resident memory of this benchmark process: %.1f MiB\n",
                    static_cast<double>(velto::peakResidentKiB()) / 1024.0);
    }
    return 0;
}
