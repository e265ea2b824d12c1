// From a ring to the sound: how long play() holds the caller, and how long until the sound
// arrives at the output, heard back through the output's monitor. Needs a sound server whose
// default output has a monitor (bench/ring_latency.sh starts a private one).
//   velto_ring_latency path/to/alarm.wav
#include "platform/qt_sound.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

/// Waits up to `ms`, serving events, until `done` says so.
template <typename F> bool waitFor(F done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return done();
}

/// The loudest sample that arrived in `device` since the last call.
int loudest(QIODevice* device) {
    const QByteArray bytes = device->read(device->bytesAvailable());
    int peak = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto v = static_cast<qint16>(static_cast<quint8>(bytes[i]) |
                                           static_cast<quint8>(bytes[i + 1]) << 8);
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    return peak;
}

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-32s median %6.1f ms   worst %6.1f ms   (%zu rings)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velto_ring_latency alarm.wav\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QAudioDevice monitor;
    for (const QAudioDevice& d : QMediaDevices::audioInputs()) {
        if (d == QMediaDevices::defaultAudioInput()) {
            monitor = d;
        }
    }
    if (monitor.isNull()) {
        std::fprintf(stderr, "no output monitor to listen on; is a sound server running?\n");
        return 1;
    }
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QAudioSource source(monitor, format);
    source.setBufferSize(441 * 2 * 2); // 20 ms: hear the sound as soon as it comes
    QIODevice* heard = source.start();
    if (heard == nullptr || source.error() != QAudio::NoError) {
        std::fprintf(stderr, "cannot listen on %s\n", qPrintable(monitor.description()));
        return 1;
    }

    velto::QtSound sound;
    sound.prepare(path);
    waitFor([] { return false; }, 1000); // loaded ahead of time, as at start-up

    std::vector<double> call;
    std::vector<double> toSound;
    for (int ring = 0; ring < 20; ++ring) {
        waitFor([&] { return false; }, 1500); // the last chime ends
        loudest(heard);
        QElapsedTimer t;
        t.start();
        if (!sound.play(path)) {
            std::fprintf(stderr, "%s\n", qPrintable(sound.error()));
        }
        call.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        int peak = 0;
        if (waitFor([&] { return (peak = std::max(peak, loudest(heard))) > 1000; }, 2000)) {
            toSound.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
    }
    report("play() returns after", call);
    if (toSound.empty()) {
        std::printf("the sound never arrived at the output\n");
        return 1;
    }
    report("the sound arrives after", toSound);
    return 0;
}
