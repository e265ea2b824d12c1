// Start at login on Windows: a value named Velto under the user's Run key, the quoted path
// of the program.
#include "platform/login_start.h"

#include <QDir>
#include <QSettings>

namespace velto {

namespace {

constexpr char kRunKey[] = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";

} // namespace

SystemLoginStart::SystemLoginStart(QString appId, QString program)
    : appId_(std::move(appId)), program_(std::move(program)) {}

QString SystemLoginStart::entryPath() const {
    return QString::fromLatin1(kRunKey) + QStringLiteral("\\Velto");
}

bool SystemLoginStart::enabled() const {
    const QSettings run(QString::fromLatin1(kRunKey), QSettings::NativeFormat);
    return !run.value(QStringLiteral("Velto")).toString().isEmpty();
}

bool SystemLoginStart::setEnabled(bool on, QString* why) {
    QSettings run(QString::fromLatin1(kRunKey), QSettings::NativeFormat);
    if (on) {
        run.setValue(QStringLiteral("Velto"),
                     QLatin1Char('"') + QDir::toNativeSeparators(program_) + QLatin1Char('"'));
    } else {
        run.remove(QStringLiteral("Velto"));
    }
    run.sync();
    if (run.status() != QSettings::NoError) {
        if (why != nullptr) {
            *why = QStringLiteral("cannot change %1; start at login is left as it is")
                       .arg(entryPath());
        }
        return false;
    }
    return true;
}

} // namespace velto
