#include "platform/qt_workarounds.h"

#include "platform/console.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QObject>
#include <QStringList>
#include <QVersionNumber>
#include <cstring>

namespace velto {

namespace {

struct Checked {
    Workaround workaround;
    const char* name;
    int from;  // the first Qt version it was checked on
    int below; // the first version after those
};

// Only Qt 6.4 has been looked into; a later Qt may have fixed the fault, or moved the parts
// reached into. Widen a range only after checking the workaround on that Qt.
constexpr int kChecked = QT_VERSION_CHECK(6, 4, 0);
constexpr int kAfter = QT_VERSION_CHECK(6, 5, 0);
constexpr Checked kWorkarounds[] = {
    {Workaround::SoundReconnect, "sound reconnect", kChecked, kAfter},
    {Workaround::ScreenChangeEvent, "screen change event", kChecked, kAfter},
    {Workaround::WaylandTitleBar, "Wayland title bar", kChecked, kAfter},
    {Workaround::PaintingWakeUps, "painting wake-ups", kChecked, kAfter},
    {Workaround::DisplayLoss, "display loss", kChecked, kAfter},
    {Workaround::AccessibilityOff, "accessibility off", kChecked, kAfter},
};

QString runningQtText() {
    const QByteArray stated = qgetenv("VELTO_TEST_QT_VERSION");
    return QString::fromLatin1(stated.isEmpty() ? QByteArray(qVersion()) : stated);
}

int runningQt() {
    const QVersionNumber v = QVersionNumber::fromString(runningQtText());
    return QT_VERSION_CHECK(v.majorVersion(), v.minorVersion(), v.microVersion());
}

bool switchedOff() {
    return qEnvironmentVariableIsSet("VELTO_NO_QT_WORKAROUNDS");
}

const Checked& checked(Workaround workaround) {
    for (const Checked& c : kWorkarounds) {
        if (c.workaround == workaround) {
            return c;
        }
    }
    Q_UNREACHABLE();
}

bool inRange(const Checked& c, int version) {
    return c.from <= version && version < c.below;
}

/// Passes a signal found by name on as one that can be connected to a function.
class Relay final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    void fired();
};

} // namespace

namespace workarounds {

bool taken(Workaround workaround) {
    return !switchedOff() && inRange(checked(workaround), runningQt());
}

QString fallbackNotice() {
    if (switchedOff()) {
        return {};
    }
    const int version = runningQt();
    QStringList plain;
    bool newer = false;
    for (const Checked& c : kWorkarounds) {
        if (!inRange(c, version)) {
            plain.append(QLatin1String(c.name));
            newer = version >= c.below;
        }
    }
    if (plain.isEmpty()) {
        return {};
    }
    return QStringLiteral(
               "Qt %1 is %2 than the workarounds were checked on; plain behaviour for: %3")
        .arg(runningQtText(), newer ? QStringLiteral("newer") : QStringLiteral("older"),
             plain.join(QStringLiteral(", ")));
}

void sayFallbacks() {
    const QString notice = fallbackNotice();
    if (!notice.isEmpty()) {
        qCWarning(lcQt, "%s", qPrintable(notice));
    }
}

bool isSoundEngine(const QObject* object, const QEvent* event) {
    // Qt 6.4's PulseAudio engine learns on its own thread that the server is gone and hands
    // that to itself on ours as a queued call: the one sign of it that shows outside.
    return event->type() == QEvent::MetaCall &&
           std::strcmp(object->metaObject()->className(), "QPulseAudioEngine") == 0 &&
           taken(Workaround::SoundReconnect);
}

bool followSoundEngine(QObject* engine, QObject* receiver, std::function<void()> onFailed) {
    const QMetaObject* meta = engine->metaObject();
    const int failed = meta->indexOfSignal("contextFailed()");
    if (failed < 0) {
        return false;
    }
    auto* relay = new Relay(receiver);
    QObject::connect(relay, &Relay::fired, receiver, std::move(onFailed));
    return static_cast<bool>(QObject::connect(engine, meta->method(failed), relay,
                                              QMetaMethod::fromSignal(&Relay::fired)));
}

bool reconnectSoundEngine(QObject* engine) {
    // The engine tries again once, 3 s after a failure; when that try fails at once, as it
    // does while the server is not there, it never tries again.
    return QMetaObject::invokeMethod(engine, "prepare", Qt::DirectConnection);
}

bool scaleChanged(const QEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange) {
        return true; // from 6.6 on, also a new scale on the same screen
    }
#endif
    return event->type() == QEvent::ScreenChangeInternal && taken(Workaround::ScreenChangeEvent);
}

int titleBarWidthFor(const QString& caption) {
    if (!taken(Workaround::WaylandTitleBar)) {
        return 0;
    }
    // Qt's own title bar on Wayland centres the caption over the whole bar, placed by its
    // width in the application's font but drawn kCaptionPixels high, and cuts it off kGap
    // pixels short of its three buttons, which take the bar's right kButtons pixels; its
    // frame adds kSide pixels on either side of the window.
    constexpr int kCaptionPixels = 14;
    constexpr int kGap = 5;
    constexpr int kButtons = 72;
    constexpr int kSide = 3;
    QFont drawn = QGuiApplication::font();
    drawn.setPixelSize(kCaptionPixels);
    const int placedBy = QFontMetrics(QGuiApplication::font()).horizontalAdvance(caption);
    const int width = QFontMetrics(drawn).horizontalAdvance(caption);
    // The caption's right end, (bar - placedBy) / 2 + width, stays left of the cut, with a
    // pixel on either side to spare for the rounding of its place and of its letters.
    const int bar = 2 * (kButtons + kGap + width + 1) - placedBy;
    return bar - 2 * kSide;
}

void avoidPaintingWakeUps() {
    // On X11 a window painted through shared memory makes the server answer every flush
    // with an event, which wakes two of our threads each second. The clock repaints a few
    // small pieces a second, cheaply sent over the connection itself; the user's own choice
    // stands.
    if (taken(Workaround::PaintingWakeUps) && !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
}

void turnAccessibilityOff() {
    if (taken(Workaround::AccessibilityOff)) {
        qunsetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
        qputenv("QT_ACCESSIBILITY", "0");
    }
}

namespace {
QtMessageHandler passOn = nullptr;
void (*watcher)() = nullptr;

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    watcher();
    passOn(type, context, message);
}
} // namespace

void watchQtMessages(void (*beforeEach)()) {
    if (!taken(Workaround::DisplayLoss)) {
        return;
    }
    watcher = beforeEach;
    if (passOn == nullptr) {
        passOn = qInstallMessageHandler(onQtMessage);
    }
}

void unwatchQtMessages() {
    if (passOn != nullptr) {
        qInstallMessageHandler(passOn);
        passOn = nullptr;
    }
}

} // namespace workarounds
} // namespace velto

#include "qt_workarounds.moc"
