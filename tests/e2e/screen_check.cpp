// Reads the clock's read-outs off a screenshot: finds which depot digit each read-out place
// shows and compares the result with what the test expects.
//   velto_screen_check shot.png windowX windowY hh:mm ss
#include "assets/depot.h"
#include "assets/layout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

/// Blending on the screen may round a channel differently from blending here.
constexpr int kTolerance = 3;

/// The largest difference of any channel of any pixel (the crop may be larger). The right
/// two columns are left out: a read-out's digits overlap their right-hand neighbour by two.
int differs(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width() - 2; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

/// The index of the depot element of `array` (0..last) that the window shows at `place`
/// (window coordinates) in `shot`, or -1. A picture is seen over the window's background.
int whichPicture(const velto::FrmDepot& depot, velto::DepotArray array, int last,
                 const QImage& shot, QPoint origin, QRect place) {
    const QImage crop = shot.copy(place.translated(origin));
    for (int i = 0; i <= last; ++i) {
        const QPixmap& pic = depot.picture(array, i);
        if (pic.width() > place.width() || pic.height() > place.height()) {
            continue;
        }
        QImage seen = depot.background().toImage().copy(QRect(place.topLeft(), pic.size()));
        seen = seen.convertToFormat(QImage::Format_RGB32);
        QPainter p(&seen);
        p.drawPixmap(0, 0, pic);
        p.end();
        if (differs(seen, crop) <= kTolerance) {
            return i;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: velto_screen_check shot.png windowX windowY hh:mm ss\n");
        return 2;
    }
    const QImage shot =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QPoint origin(QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    const QString hhmm = QString::fromLocal8Bit(argv[4]);
    const QString ss = QString::fromLocal8Bit(argv[5]);
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const velto::FrmDepot depot;
    using velto::DepotArray;
    QString seen;
    for (int e = 0; e < 5; ++e) {
        const QRect r = velto::layout::readout(e, velto::layout::kTimeY);
        const int i = whichPicture(depot, DepotArray::imgTime, 12, shot, origin, r);
        seen += e == 2 ? (i == 12 ? QStringLiteral(":") : QStringLiteral("?"))
                       : (i >= 0 && i <= 9 ? QString::number(i) : QStringLiteral("?"));
    }
    QString secs;
    for (int e : {5, 6}) {
        const QRect r(velto::layout::kSetPos[static_cast<size_t>(e)], QSize(8, 17));
        const int i = whichPicture(depot, DepotArray::imgSet, 9, shot, origin, r);
        secs += i >= 0 ? QString::number(i) : QStringLiteral("?");
    }
    std::printf("read-out %s, seconds %s\n", qPrintable(seen), qPrintable(secs));
    return seen == hhmm && secs == ss ? 0 : 1;
}
