#include "platform/qt_platform.h"

#include <QFileInfo>

namespace velto {

QString currentUserName() {
    const QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
}

bool ownedByCurrentUser(const QFileInfo&) {
    return true; // the folders used are in the user's own profile
}

bool displayAvailable(QString*) {
    return true;
}

void endDisplayCheck() {}

void quitOnTerminationSignals() {}

void returnFreeMemory() {}

long peakResidentKiB() {
    return 0;
}

} // namespace velto
