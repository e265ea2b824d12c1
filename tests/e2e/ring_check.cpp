// Checks a ring from the outside: what the alarm window shows on a screenshot, and whether a
// recording of the sound output holds a sound.
//   velto_ring_check window shot.png windowX windowY hh:mm n   read-out and button number
//   velto_ring_check sound recording.wav                       loud enough, long enough
//   velto_ring_check tone hz recording.wav                     that, and a sine of hz
//   velto_ring_check levels recording.wav                      dBFS every 250 ms
#include "app/velto_app.h"
#include "art/depot.h"
#include "art/layout.h"
#include "views/alarm_window.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

namespace {

/// The summed difference of all channels of all pixels of two images of one size.
qint64 distance(const QImage& a, const QImage& b) {
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum;
}

/// Which of `candidates` the crop looks most like; -1 when none is near.
int nearest(const QImage& crop, const std::vector<QImage>& candidates, qint64 nearEnough) {
    int best = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (size_t i = 0; i < candidates.size(); ++i) {
        const qint64 d = distance(crop, candidates[i]);
        if (d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return bestDistance <= nearEnough ? best : -1;
}

QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

int checkWindow(const QStringList& args) {
    const QImage shot = rgb(QImage(args[2]));
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[2]));
        return 2;
    }
    const QPoint window(args[3].toInt(), args[4].toInt());
    namespace layout = velto::layout;
    velto::Depot depot(velto::dialNumbers());

    // The digits, each as it looks on the frame's own background.
    const QPoint frame = window + layout::alarm::Frame1.topLeft();
    const QRgb ground = shot.pixel(frame + QPoint(4, 20));
    QString seen;
    for (int e = 0; e < 5; ++e) {
        const QRect place = layout::readout(e, layout::alarm::kTimeY, layout::alarm::kTimeXOffset);
        const QSize visible(place.width() - (e == 2 ? 0 : 2), place.height()); // overlap
        std::vector<QImage> looks;
        for (int i = 0; i <= velto::kLitColon; ++i) {
            QImage look(visible, QImage::Format_RGB32);
            look.fill(ground);
            QPainter p(&look);
            p.drawPixmap(0, 0, depot.picture(velto::DepotArray::imgTime, i));
            p.end();
            looks.push_back(look);
        }
        const int i = nearest(shot.copy(QRect(frame + place.topLeft(), visible)), looks,
                              qint64{visible.width()} * visible.height() * 12);
        seen += i == velto::kLitColon ? QStringLiteral(":")
                : i >= 0 && i <= 9    ? QString::number(i)
                                      : QStringLiteral("?");
    }

    // The button, as Qt draws one with each number: the announcer's counts alone, the
    // alarm's Stop counts beside Snooze.
    const bool alarm = args.size() > 7 && args[7] == QLatin1String("alarm");
    const QRect place = alarm ? layout::alarm::cmdStop : layout::alarm::cmdDone;
    std::vector<QImage> buttons;
    for (const int n : {1, 2}) {
        QPushButton b(alarm ? velto::AlarmWindow::stopCaption(n) : QString::number(n));
        b.resize(place.size());
        buttons.push_back(rgb(b.grab().toImage()));
    }
    const QImage crop = shot.copy(place.translated(window));
    const int button = nearest(crop, buttons, std::numeric_limits<qint64>::max()) + 1;
    std::printf("alarm window shows %s, button %d\n", qPrintable(seen), button);
    return seen == args[5] && QString::number(button) == args[6] ? 0 : 1;
}

/// The recording at `path` as 16-bit samples in [-1, 1), with its channels and rate; none
/// when it is no such recording (said).
struct Recording {
    std::vector<double> samples;
    int channels = 1;
    int rate = 0;
};
std::optional<Recording> readRecording(const QString& path);

/// The RMS loudness of each whole window of `samples` (all channels) of `r`.
std::vector<double> loudnessOf(const Recording& r, size_t samples) {
    std::vector<double> loudness;
    for (size_t start = 0; samples > 0 && start + samples <= r.samples.size(); start += samples) {
        double sum = 0;
        for (size_t i = start; i < start + samples; ++i) {
            sum += r.samples[i] * r.samples[i];
        }
        loudness.push_back(std::sqrt(sum / static_cast<double>(samples)));
    }
    return loudness;
}

/// The loudness of the recording at `path` in steps of 250 ms, a line each: the step's start
/// in seconds and its RMS in dBFS.
int printLevels(const QString& path) {
    const auto r = readRecording(path);
    if (!r) {
        return 2;
    }
    const std::vector<double> loudness =
        loudnessOf(*r, static_cast<size_t>(r->rate / 4) * static_cast<size_t>(r->channels));
    for (size_t w = 0; w < loudness.size(); ++w) {
        std::printf("%.2f %.1f\n", static_cast<double>(w) / 4,
                    20 * std::log10(std::max(loudness[w], 1e-9)));
    }
    return 0;
}

std::optional<Recording> readRecording(const QString& path) {
    QFile f(path);
    const QByteArray all = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype data = all.indexOf("data");
    if (!all.startsWith("RIFF") || data < 0 ||
        qFromLittleEndian<quint16>(all.constData() + 34) != 16) {
        std::fprintf(stderr, "%s is not a 16-bit WAV recording\n", qPrintable(path));
        return std::nullopt;
    }
    Recording r;
    r.channels = qFromLittleEndian<quint16>(all.constData() + 22);
    r.rate = static_cast<int>(qFromLittleEndian<quint32>(all.constData() + 24));
    const char* at = all.constData() + data + 8;
    for (qsizetype i = 0; i < (all.size() - data - 8) / 2; ++i) {
        r.samples.push_back(qFromLittleEndian<qint16>(at + 2 * i) / 32768.0);
    }
    return r;
}

/// Whether the recording at `path` holds a ring; with `hz` > 0, also whether what sounds is
/// a tone of that pitch (told by its zero crossings, within 3 %).
int checkSound(const QString& path, double hz = 0) {
    const auto r = readRecording(path);
    if (!r) {
        return 2;
    }
    const int channels = r->channels;
    const int rate = r->rate;
    // Loudness in 50 ms windows; a recording may end without its length in the header, so
    // it is read to the end of the file.
    const qsizetype window = static_cast<qsizetype>(rate / 20) * channels;
    const auto count = static_cast<qsizetype>(r->samples.size());
    const auto sample = [&r](qsizetype i) { return r->samples[static_cast<size_t>(i)]; };
    const std::vector<double> loudness = loudnessOf(*r, static_cast<size_t>(window));
    const double loudest =
        loudness.empty() ? 0 : *std::max_element(loudness.begin(), loudness.end());
    const auto soundingWindows = std::count_if(loudness.begin(), loudness.end(),
                                               [](double rms) { return rms > 0.01; }); // -40 dBFS
    // The pitch from the zero crossings of the first channel, in the windows that sound in
    // full (not those the sound starts or ends in).
    // Half periods are counted between the first and last crossing of each window, so
    // that no window's ends blur the count.
    double halfPeriods = 0;
    double spanned = 0; // samples
    for (size_t w = 0; w < loudness.size(); ++w) {
        if (loudness[w] < loudest / 2) {
            continue;
        }
        const auto start = static_cast<qsizetype>(w) * window;
        qsizetype first = -1;
        qsizetype last = -1;
        int crossings = 0;
        for (qsizetype i = start + channels; i < start + window; i += channels) {
            if ((sample(i - channels) < 0) != (sample(i) < 0)) {
                first = first < 0 ? i : first;
                last = i;
                ++crossings;
            }
        }
        if (crossings > 1) {
            halfPeriods += crossings - 1;
            spanned += static_cast<double>(last - first) / channels;
        }
    }
    const double seconds = static_cast<double>(soundingWindows) / 20.0;
    const double pitch = spanned > 0 ? halfPeriods / 2 / (spanned / rate) : 0;
    std::printf("recording %.1f s; loudest %.1f dBFS; sound above -40 dBFS for %.2f s at "
                "about %.0f Hz\n",
                static_cast<double>(count) / channels / rate,
                20 * std::log10(std::max(loudest, 1e-9)), seconds, pitch);
    const bool heard = loudest > 0.05 && seconds >= 0.3;
    return heard && (hz <= 0 || std::abs(pitch - hz) <= hz * 0.03) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 7 && args.size() <= 8 && args[1] == QLatin1String("window")) {
        return checkWindow(args);
    }
    if (args.size() == 3 && args[1] == QLatin1String("levels")) {
        return printLevels(args[2]);
    }
    if (args.size() == 3 && args[1] == QLatin1String("sound")) {
        return checkSound(args[2]);
    }
    if (args.size() == 4 && args[1] == QLatin1String("tone")) {
        return checkSound(args[3], args[2].toDouble());
    }
    std::fprintf(stderr, "usage: velto_ring_check window shot.png windowX windowY hh:mm n\n"
                         "       velto_ring_check sound recording.wav\n"
                         "       velto_ring_check tone hz recording.wav\n");
    return 2;
}
