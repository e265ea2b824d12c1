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

bool displayAvailable(QString*) {
    return true;
}

} // namespace velto
