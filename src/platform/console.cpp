#include "platform/console.h"

#include <cstdio>
#include <cstring>

namespace velto {

Q_LOGGING_CATEGORY(lcAccess, "velto.access")
Q_LOGGING_CATEGORY(lcArt, "velto.art")
Q_LOGGING_CATEGORY(lcCommands, "velto.commands")
Q_LOGGING_CATEGORY(lcDesktop, "velto.desktop")
Q_LOGGING_CATEGORY(lcInstance, "velto.instance")
Q_LOGGING_CATEGORY(lcMedia, "velto.media")
Q_LOGGING_CATEGORY(lcPunch, "velto.punch")
Q_LOGGING_CATEGORY(lcQt, "velto.qt")
Q_LOGGING_CATEGORY(lcSession, "velto.session")
Q_LOGGING_CATEGORY(lcSettings, "velto.settings")
Q_LOGGING_CATEGORY(lcSound, "velto.sound")

namespace {

QtMessageHandler passOn = nullptr;

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const QString line = consoleLine(context, text);
    if (line.isEmpty()) {
        passOn(type, context, text);
        return;
    }
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

QString consoleLine(const QMessageLogContext& context, const QString& text) {
    if (context.category == nullptr || std::strncmp(context.category, "velto.", 6) != 0) {
        return {};
    }
    return QStringLiteral("velto: ") + text;
}

void installConsole() {
    if (passOn == nullptr) {
        passOn = qInstallMessageHandler(onMessage);
    }
}

} // namespace velto
