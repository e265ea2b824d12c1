// Writes the program's icon, as the window shows it, as PNG files for the desktop's icon
// theme: the art is drawn by the program's own code, so there is no second copy of it.
//   export_icons folder name size...
// writes folder/<size>x<size>/apps/<name>.png for each size.

#include "art/depot_art.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: export_icons folder name size...\n");
        return 2;
    }
    // Drawing needs no screen; an application object keeps Qt's image code set up as in the
    // program itself.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "export_icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString apps = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = folder.filePath(apps + QLatin1Char('/') + name + ".png");
        // The look of a plain start: the alarm is off.
        if (!folder.mkpath(apps) || !velto::art::windowIcon(true, size).save(file, "PNG")) {
            std::fprintf(stderr, "export_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
