// Start at login on macOS: a LaunchAgent of the user's, named by the application's id, that
// runs the program at load.
#include "platform/login_start.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velto {

SystemLoginStart::SystemLoginStart(QString appId, QString program)
    : appId_(std::move(appId)), program_(std::move(program)) {}

QString SystemLoginStart::entryPath() const {
    return QDir::homePath() + QStringLiteral("/Library/LaunchAgents/") + appId_ +
           QStringLiteral(".plist");
}

bool SystemLoginStart::enabled() const {
    return QFileInfo(entryPath()).isFile();
}

bool SystemLoginStart::setEnabled(bool on, QString* why) {
    QString unused;
    QString& said = why != nullptr ? *why : unused;
    const QString path = entryPath();
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) {
        said = QStringLiteral("%1 is not a plain file; start at login is left as it is").arg(path);
        return false;
    }
    if (!on) {
        QFile file(path);
        if (file.exists() && !file.remove()) {
            said = QStringLiteral("cannot remove %1 (%2); start at login stays on")
                       .arg(path, file.errorString());
            return false;
        }
        return true;
    }
    const QByteArray plist =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                       "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                       "<plist version=\"1.0\">\n<dict>\n"
                       "  <key>Label</key><string>%1</string>\n"
                       "  <key>ProgramArguments</key><array><string>%2</string></array>\n"
                       "  <key>RunAtLoad</key><true/>\n"
                       "</dict>\n</plist>\n")
            .arg(appId_.toHtmlEscaped(), program_.toHtmlEscaped())
            .toUtf8();
    QSaveFile file(path);
    if (!QDir().mkpath(info.path()) || !file.open(QIODevice::WriteOnly) ||
        file.write(plist) != plist.size() || !file.commit()) {
        said = QStringLiteral("cannot write %1 (%2); start at login is left as it is")
                   .arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace velto
