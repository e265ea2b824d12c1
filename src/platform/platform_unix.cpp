#include "platform/qt_platform.h"

#include <pwd.h>
#include <unistd.h>

namespace velto {

QString currentUserName() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) {
        return QString::fromLocal8Bit(pw->pw_name);
    }
    return QString::number(getuid());
}

bool displayAvailable(QString* why) {
    // Qt aborts with a core dump when it finds no display; say it plainly instead.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return true;
    }
    *why = QStringLiteral("no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return false;
}

} // namespace velto
