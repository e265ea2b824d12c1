// Reads the clock off a screenshot: finds which depot picture each place shows and compares
// the result with what the test expects.
//   velto_screen_check shot.png windowX windowY time hh:mm ss [scale]
//       the read-out and seconds; at a scale, drawn by the depot at that scale, and not the
//       1x pictures enlarged
//   velto_screen_check shot.png windowX windowY punch units      punch button lit, count shown
//   velto_screen_check shot.png windowX windowY alarm hh:mm|off countdown|blank minute
//       the alarm read-out, the title picture, the countdown digits and where the mark is
#include "app/velto_app.h"
#include "art/depot.h"
#include "art/layout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

/// Blending on the screen may round a channel differently from blending here.
constexpr int kTolerance = 3;

/// The largest difference of any channel of any pixel (the crop may be larger). The right
/// columns of two pixels at 1x are left out: a read-out's digits overlap their right-hand
/// neighbour by two.
int differs(const QImage& a, const QImage& b) {
    const auto overlap = static_cast<int>(std::ceil(2 * a.devicePixelRatio()));
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width() - overlap; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

/// What lies under the controls: the window's background, or the dial of the clock face
/// (the announcer's start-up dial), with where its top-left corner sits in the window.
struct Base {
    QImage image;
    QPoint inWindow;
};

/// The device pixels that a control at `place` (logical pixels) covers on a screen of scale
/// k: Qt rounds both its edges to the nearest device pixel.
QRect covered(QRect place, double k) {
    const auto at = [k](int v) { return static_cast<int>(std::lround(v * k)); };
    return {QPoint(at(place.left()), at(place.top())),
            QPoint(at(place.left() + place.width()) - 1, at(place.top() + place.height()) - 1)};
}

/// Whether the screen shows picture `pic` at `place` (coordinates of `base`), drawn over its
/// base. A picture drawn for a fractional scale may reach half a pixel past the control; that
/// part never shows.
bool shows(const QPixmap& pic, const QImage& shot, QPoint window, const Base& base, QRect place) {
    const double k = base.image.devicePixelRatio();
    const QRect device = covered(place.translated(base.inWindow), k);
    if (pic.width() > std::ceil(place.width() * k) ||
        pic.height() > std::ceil(place.height() * k)) {
        return false;
    }
    const QImage crop = shot.copy(device.translated(window));
    QImage seen =
        base.image.copy(QRect(covered(place, k).topLeft(), pic.size().boundedTo(device.size())));
    QPainter p(&seen);
    p.drawPixmap(0, 0, pic);
    p.end();
    return differs(seen, crop) <= kTolerance;
}

/// The index of the depot element of `array` (0..last) that the screen shows at `place`
/// (coordinates of `base`), or -1.
int whichPicture(velto::Depot& depot, velto::DepotArray array, int last, const QImage& shot,
                 QPoint window, const Base& base, QRect place) {
    for (int i = 0; i <= last; ++i) {
        if (shows(depot.picture(array, i), shot, window, base, place)) {
            return i;
        }
    }
    return -1;
}

QString digits(int index) {
    return index >= 0 && index <= 9 ? QString::number(index) : QStringLiteral("?");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 6) {
        std::fprintf(stderr, "usage: velto_screen_check shot.png windowX windowY time hh:mm ss\n"
                             "       velto_screen_check shot.png windowX windowY punch units\n");
        return 2;
    }
    const QImage shot = QImage(args[1]).convertToFormat(QImage::Format_RGB32);
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 2;
    }
    const QPoint window(args[2].toInt(), args[3].toInt());
    velto::Depot depot(velto::dialNumbers());
    // The scale of the screen the clock was shot on; the depot draws for it.
    const double scale =
        args[4] == QLatin1String("time") && args.size() == 8 ? args[7].toDouble() : 1;
    depot.setScale(scale);
    using velto::DepotArray;
    namespace layout = velto::layout;
    const Base background{depot.background().convertToFormat(QImage::Format_RGB32), {}};
    const Base face{
        depot.picture(DepotArray::imgDial, 2).toImage().convertToFormat(QImage::Format_RGB32),
        layout::picClock.topLeft()};

    if (args[4] == QLatin1String("time") && (args.size() == 7 || args.size() == 8)) {
        QString seen;
        for (int e = 0; e < 5; ++e) {
            const int i = whichPicture(depot, DepotArray::imgTime, 12, shot, window, background,
                                       layout::readout(e, layout::kTimeY));
            seen += e == 2 ? (i == 12 ? QStringLiteral(":") : QStringLiteral("?")) : digits(i);
        }
        QString secs;
        for (int e : {5, 6}) {
            const QRect r(layout::kSetPos[static_cast<size_t>(e)], QSize(8, 17));
            secs += digits(whichPicture(depot, DepotArray::imgSet, 9, shot, window, background, r));
        }
        std::printf("read-out %s, seconds %s\n", qPrintable(seen), qPrintable(secs));
        bool enlarged = false;
        if (scale != 1) {
            // The first digit as the 1x picture enlarged to the scale, the way a program
            // that knows no scale is shown: it must not pass for what the screen shows.
            velto::Depot plain(velto::dialNumbers());
            const int digit = args[5].left(1).toInt();
            const QPixmap& pic = plain.picture(DepotArray::imgTime, digit);
            QPixmap big = pic.scaled(pic.size() * scale, Qt::IgnoreAspectRatio);
            big.setDevicePixelRatio(scale);
            enlarged = shows(big, shot, window, background, layout::readout(0, layout::kTimeY));
            std::printf("at %gx the screen shows the digit drawn %s\n", scale,
                        enlarged ? "at 1x and enlarged" : "at that scale");
        }
        return seen == args[5] && secs == args[6] && !enlarged ? 0 : 1;
    }
    if (args[4] == QLatin1String("punch")) {
        const int lit =
            whichPicture(depot, DepotArray::imgPunch, 1, shot, window, face, layout::imgPunch);
        QString count;
        for (int e : {2, 3, 4}) {
            const QRect r(layout::kSetPos[static_cast<size_t>(e)], QSize(8, 17));
            const int i = whichPicture(depot, DepotArray::imgSet, 10, shot, window, face, r);
            count += i == 10 ? QStringLiteral(" ") : digits(i);
        }
        std::printf("punch button %s, count \"%s\"\n", lit == 1 ? "lit" : "not lit",
                    qPrintable(count));
        return lit == 1 && count.trimmed() == args[5] ? 0 : 1;
    }
    if (args[4] == QLatin1String("alarm") && args.size() == 8) {
        QString seen;
        for (int e = 0; e < 5; ++e) {
            const int i = whichPicture(depot, DepotArray::imgTime, 12, shot, window, background,
                                       layout::readout(e, layout::kAlarmY));
            seen += e == 2 ? (i == velto::kLitColon     ? QStringLiteral(":")
                              : i == velto::kUnlitColon ? QStringLiteral(".")
                                                        : QStringLiteral("?"))
                           : (i == velto::kBlankDigit ? QStringLiteral("-") : digits(i));
        }
        if (seen == QLatin1String("--.--")) {
            seen = QStringLiteral("off");
        }
        const int title = whichPicture(depot, DepotArray::imgHeader, 1, shot, window, background,
                                       layout::imgHeader);
        QString countdown;
        for (int e : {0, 1}) {
            const QRect r(layout::kSetPos[static_cast<size_t>(e)], QSize(8, 17));
            const int i = whichPicture(depot, DepotArray::imgSet, 10, shot, window, face, r);
            countdown += i == velto::kBlankSmall ? QStringLiteral(" ") : digits(i);
        }
        countdown = countdown.trimmed().isEmpty() ? QStringLiteral("blank") : countdown;
        // The mark: its picture over the dial, where PlaceMark puts it for that minute.
        const int minute = args[7].toInt();
        const double a = static_cast<double>(static_cast<float>(1.570796325 - minute * 0.10471976));
        const QPoint m(static_cast<int>(std::nearbyint((std::cos(a) * 0.88 + 1) * 68.5)) - 4,
                       static_cast<int>(std::nearbyint((1 - std::sin(a) * 0.88) * 68.5)) - 4);
        // Over whichever dial the announcer shows (0 plain, 1-5 with its marks).
        const QImage shotMark =
            shot.copy(QRect(m, depot.mark().size()).translated(window + face.inWindow));
        bool markThere = false;
        for (int dial = 0; dial <= 5 && !markThere; ++dial) {
            QImage seenMark = depot.picture(DepotArray::imgDial, dial)
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32)
                                  .copy(QRect(m, depot.mark().size()));
            QPainter p(&seenMark);
            p.drawPixmap(0, 0, depot.mark());
            p.end();
            markThere = differs(seenMark, shotMark) <= kTolerance;
        }
        std::printf("alarm read-out %s, title %s, countdown %s, mark %s minute %d\n",
                    qPrintable(seen),
                    title == 0   ? "armed"
                    : title == 1 ? "off"
                                 : "?",
                    qPrintable(countdown), markThere ? "at" : "not at", minute);
        const bool armed = args[5] != QLatin1String("off");
        return seen == args[5] && title == (armed ? 0 : 1) && countdown == args[6] && markThere ? 0
                                                                                                : 1;
    }
    std::fprintf(stderr, "unknown check %s\n", qPrintable(args[4]));
    return 2;
}
