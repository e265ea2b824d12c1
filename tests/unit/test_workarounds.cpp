// Which of the clock's reaches into Qt's insides are taken on which Qt, and the one line that
// says at start-up which of them fall back to the plain behaviour.
#include "fakes.h"
#include "platform/qt_workarounds.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace velto::test {

namespace {

/// Sets an environment variable (or unsets it, for a null value) while it lives.
class Env {
public:
    Env(const char* name, const char* value) : name_(name), saved_(qgetenv(name)) {
        had_ = qEnvironmentVariableIsSet(name);
        value != nullptr ? qputenv(name, value) : qunsetenv(name);
    }
    ~Env() { had_ ? qputenv(name_, saved_) : qunsetenv(name_); }
    Env(const Env&) = delete;
    Env& operator=(const Env&) = delete;

private:
    const char* name_;
    QByteArray saved_;
    bool had_ = false;
};

constexpr Workaround kAll[] = {Workaround::SoundReconnect,  Workaround::ScreenChangeEvent,
                               Workaround::WaylandTitleBar, Workaround::PaintingWakeUps,
                               Workaround::DisplayLoss,     Workaround::AccessibilityOff};

} // namespace

TEST(Workarounds, TakenOnlyOnTheQtTheyWereCheckedOnAndSaidOnceWhenNot) {
    const QString all = QStringLiteral("; plain behaviour for: sound reconnect, screen change "
                                       "event, Wayland title bar, painting wake-ups, display "
                                       "loss, accessibility off");
    const struct {
        const char* qt;
        const char* switchedOff; // VELTO_NO_QT_WORKAROUNDS
        bool taken;
        QString said; // the one line at start-up, if any
    } cases[] = {
        {"6.4.0", nullptr, true, {}},
        {"6.4.2", nullptr, true, {}},
        {"6.4.2", "1", false, {}}, // turned off on purpose: nothing to tell
        {"6.5.0", nullptr, false,
         "velto: Qt 6.5.0 is newer than the workarounds were checked on" + all},
        {"6.3.2", nullptr, false,
         "velto: Qt 6.3.2 is older than the workarounds were checked on" + all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.qt) + (c.switchedOff != nullptr ? " switched off" : ""));
        const Env version("VELTO_TEST_QT_VERSION", c.qt);
        const Env off("VELTO_NO_QT_WORKAROUNDS", c.switchedOff);
        for (const Workaround w : kAll) {
            EXPECT_EQ(workarounds::taken(w), c.taken) << static_cast<int>(w);
        }
        const Console console;
        workarounds::sayFallbacks();
        EXPECT_EQ(Console::lines(), c.said.isEmpty() ? QStringList() : QStringList{c.said});
    }
}

TEST(Workarounds, ThoseNotTakenLeaveQtAlone) {
    const Env version("VELTO_TEST_QT_VERSION", "6.6.0");
    const Env mitShm("QT_XCB_NO_MITSHM", nullptr);
    workarounds::avoidPaintingWakeUps();
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"));
    EXPECT_EQ(workarounds::titleBarWidthFor(QStringLiteral("Alarm")), 0);
    QEvent moved(QEvent::ScreenChangeInternal);
    EXPECT_FALSE(workarounds::scaleChanged(&moved));
    workarounds::watchQtMessages([] { FAIL() << "Qt's messages watched"; });
    qCWarning(lcQt, "a message");
    workarounds::unwatchQtMessages();
}

TEST(Workarounds, QtsMessagesAreWatchedAndStillSaid) {
    const Env version("VELTO_TEST_QT_VERSION", "6.4.2");
    static int watched = 0;
    watched = 0;
    const Console console;
    workarounds::watchQtMessages([] { ++watched; });
    qCWarning(lcQt, "first");
    workarounds::unwatchQtMessages();
    qCWarning(lcQt, "second");
    EXPECT_EQ(watched, 1);
    EXPECT_EQ(Console::lines(), QStringList({"velto: first", "velto: second"}));
}

bool twoScales(const QList<QScreen*>& screens) {
    return screens.size() >= 2 && screens[0]->devicePixelRatio() != screens[1]->devicePixelRatio();
}

// ctest runs this on two screens of different scales (unit.two_screens); on one it skips.
// Qt's word to the widgets that their window moved must still come, and be understood.
TEST(Workarounds, AWindowMovedToAnotherScreenHearsOfItsNewScale) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (!twoScales(screens)) {
        GTEST_SKIP() << "needs two screens of different scales";
    }
    struct Window final : QWidget {
        qreal heard = 0;
        bool event(QEvent* event) override {
            if (workarounds::scaleChanged(event)) {
                heard = devicePixelRatioF();
            }
            return QWidget::event(event);
        }
    } window;
    window.setScreen(screens[0]);
    window.show();
    window.windowHandle()->setScreen(screens[1]);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.heard, screens[1]->devicePixelRatio());
}

class AnotherScreen : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

// On the Qt the workaround was checked on, and on one where the clock goes the plain way.
TEST_P(AnotherScreen, TheClockMovedThereIsDrawnForItsScale) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (!twoScales(screens)) {
        GTEST_SKIP() << "needs two screens of different scales";
    }
    const Env version("VELTO_TEST_QT_VERSION", GetParam());
    startAt("10:10:30");
    ASSERT_EQ(w().picClock->scale(), screens[0]->devicePixelRatio());
    window().windowHandle()->setScreen(screens[1]);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return w().picClock->scale() == screens[1]->devicePixelRatio(); }));
}

INSTANTIATE_TEST_SUITE_P(Qt, AnotherScreen, ::testing::Values("6.4.2", "6.5.0"));

} // namespace velto::test
