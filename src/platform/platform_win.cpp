#include "platform/qt_platform.h"

namespace velto {

QString currentUserName() {
    const QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
}

bool displayAvailable(QString*) {
    return true;
}

void quitOnTerminationSignals() {}

long peakResidentKiB() {
    return 0;
}

} // namespace velto
