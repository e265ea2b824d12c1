// From a ring to the sound: how long play() holds the caller, and how long until the sound
// comes out of the output, heard back on the output's monitor by a thread of its own (in
// 10 ms blocks, so the second figure is at most 10 ms late). Needs a sound server with a
// null sink "out" (bench/ring_latency.sh starts a private one).
//   velto_ring_latency path/to/alarm.wav [rings [milliseconds between them]]
// Ends with status 1 when a ring was not heard.
#include "platform/qt_sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

/// Serves events for `ms`, or until `done` says so.
template <typename F> bool waitFor(F done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return done();
}

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-32s median %6.1f ms   worst %6.1f ms   (%zu rings)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: velto_ring_latency alarm.wav [rings [ms between]]\n");
        return 2;
    }
    const int rings = argc > 2 ? std::atoi(argv[2]) : 20;
    const int between = argc > 3 ? std::atoi(argv[3]) : 1500;
    const QString path = QString::fromLocal8Bit(argv[1]);

    const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 1};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = 441 * 2; // 10 ms
    int error = 0;
    pa_simple* monitor = pa_simple_new(nullptr, "velto-bench", PA_STREAM_RECORD, "out.monitor",
                                       "ring latency", &spec, nullptr, &attr, &error);
    if (monitor == nullptr) {
        std::fprintf(stderr, "cannot listen on out.monitor: %s\n", pa_strerror(error));
        return 1;
    }
    std::atomic<int64_t> heardAt{0};
    std::atomic<bool> listening{true};
    std::thread listener([&] {
        std::array<int16_t, 441> block{};
        int err = 0;
        while (listening && pa_simple_read(monitor, block.data(), sizeof block, &err) == 0) {
            int peak = 0;
            for (int16_t v : block) {
                peak = std::max(peak, std::abs(static_cast<int>(v)));
            }
            int64_t none = 0;
            if (peak > 1000) {
                heardAt.compare_exchange_strong(none, nowNs());
            }
        }
        if (listening) {
            std::fprintf(stderr, "stopped listening: %s\n", pa_strerror(err));
        }
    });

    velto::QtSound sound;
    sound.prepare(path);
    waitFor([] { return false; }, 1000); // loaded ahead of time, as at start-up
    std::vector<double> call;
    std::vector<double> toSound;
    for (int ring = 0; ring < rings; ++ring) {
        waitFor([] { return false; }, between); // the last chime ends
        heardAt = 0;
        const int64_t start = nowNs();
        if (!sound.play(path)) {
            std::fprintf(stderr, "%s\n", qPrintable(sound.error()));
        }
        call.push_back(static_cast<double>(nowNs() - start) / 1e6);
        if (waitFor([&] { return heardAt.load() != 0; }, 2000)) {
            toSound.push_back(static_cast<double>(heardAt.load() - start) / 1e6);
        } else {
            std::printf("ring %d was not heard\n", ring + 1);
        }
    }
    listening = false;
    listener.join();
    pa_simple_free(monitor);
    report("play() returns after", call);
    if (toSound.empty()) {
        std::printf("the sound never arrived at the output\n");
        return 1;
    }
    report("the sound comes out after", toSound);
    return static_cast<int>(toSound.size()) == rings ? 0 : 1;
}
