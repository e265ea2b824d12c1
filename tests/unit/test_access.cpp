// The main window for a screen reader and in tooltips: every control named in Qt's
// accessibility tree, the values it reads out following the clock, and the tooltips.
#include "controls/describe.h"
#include "fakes.h"
#include "views/alarm_window.h"
#include "views/main_keys.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace velto::test {

namespace {

/// The accessibility events the program sent, while a test listens.
QList<std::pair<QObject*, QAccessible::Event>>& heard() {
    static QList<std::pair<QObject*, QAccessible::Event>> events;
    return events;
}

void listen(QAccessibleEvent* event) {
    heard().append({event->object(), event->type()});
}

} // namespace

class Access : public ProgramTest {
protected:
    void SetUp() override { startAt("10:00:30"); }
    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::setActive(false);
        heard().clear();
        ProgramTest::TearDown();
    }
    static QAccessibleInterface* of(QWidget* control) {
        return QAccessible::queryAccessibleInterface(control);
    }
    static QString name(QWidget* control) { return of(control)->text(QAccessible::Name); }
    static QString value(QWidget* control) { return of(control)->text(QAccessible::Value); }
    /// The tooltip that shows when the pointer rests on `control`.
    static QString tip(QWidget* control) {
        QHelpEvent help(QEvent::ToolTip, control->rect().center(),
                        control->mapToGlobal(control->rect().center()));
        QCoreApplication::sendEvent(control, &help);
        // Accepted when a tip shows (the label lingers a moment after a hide, so its text alone
        // would not tell).
        QString text = help.isAccepted() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    }
    /// Every interface below `iface`, depth first.
    static void walk(QAccessibleInterface* iface, QList<QAccessibleInterface*>& into) {
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface* child = iface->child(i);
            into.append(child);
            walk(child, into);
        }
    }
};

TEST_F(Access, TheTreeNamesEveryControlTheKeyboardReaches) {
    QList<QAccessibleInterface*> tree;
    walk(of(&window()), tree);
    QHash<QObject*, QAccessibleInterface*> byObject;
    QSet<QString> everyName;
    for (QAccessibleInterface* iface : tree) {
        byObject.insert(iface->object(), iface);
        const QString n = iface->text(QAccessible::Name);
        // A screen reader would say only "filler" of a nameless picture.
        EXPECT_FALSE(n.isEmpty()) << qPrintable(iface->object()->objectName());
        EXPECT_FALSE(everyName.contains(n)) << "named twice: " << qPrintable(n);
        everyName.insert(n);
    }
    const std::vector<ImageControl*>& controls = window().findChild<MainKeys*>()->tabOrder();
    ASSERT_EQ(controls.size(), 47u);
    bool timeReached = false;
    for (ImageControl* control : controls) {
        SCOPED_TRACE(qPrintable(control->objectName()));
        QAccessibleInterface* iface = byObject.value(control);
        ASSERT_NE(iface, nullptr); // reachable from the window, not only by asking
        EXPECT_TRUE(iface->state().focusable);
        timeReached = timeReached || iface->text(QAccessible::Value) == "10:00";
        if (control != w().imgTime[0]) {
            EXPECT_FALSE(tip(control).isEmpty());
        }
        if (iface->role() == QAccessible::Button) {
            EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
        }
    }
    EXPECT_TRUE(timeReached) << "Tab reaches the time";
    // The window is a frame that says whose it is.
    EXPECT_EQ(of(&window())->role(), QAccessible::Window);
    EXPECT_EQ(of(&window())->text(QAccessible::Name), "Velto");
    // A preset and the hot spot of the same minutes do the same, but are told apart.
    EXPECT_EQ(name(w().imgFixed[3]), "Alarm in 5 minutes, preset");
    EXPECT_EQ(name(w().imgHotSpot[1]), "Alarm in 5 minutes, dial");
    EXPECT_EQ(name(w().imgHotSpot[0]), "No countdown, dial");
    EXPECT_EQ(name(w().imgPunchUp[12]), "Key 12");
    EXPECT_EQ(of(w().imgMark)->role(), QAccessible::Slider);
    // The other pictures of a read-out are passed over; its first speaks for it.
    EXPECT_EQ(name(w().imgTime[0]), "Time");
    EXPECT_EQ(name(w().imgAlarm[3]), "Alarm time, minutes tens");
    EXPECT_TRUE(of(w().imgAlarm[3])->state().invisible);
    EXPECT_TRUE(of(w().imgSet[5])->state().invisible); // the seconds: the hands count them
}

TEST_F(Access, TheMarkIsASliderOfMinutesAScreenReaderCanSet) {
    QAccessibleValueInterface* mark = of(w().imgMark)->valueInterface();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->minimumValue().toInt(), 0);
    EXPECT_EQ(mark->maximumValue().toInt(), 60);
    EXPECT_EQ(mark->currentValue().toInt(), 0); // the alarm is off
    EXPECT_EQ(of(w().imgFixed[3])->valueInterface(), nullptr);

    mark->setCurrentValue(25);
    EXPECT_TRUE(model().armed());
    EXPECT_EQ(minuteText(model().alarmTime()), "10:25");
    EXPECT_EQ(mark->currentValue().toInt(), 25);
    EXPECT_EQ(value(w().imgMark), "25 minutes");
    mark->setCurrentValue(90); // past the end of the dial: as far as it goes
    EXPECT_EQ(mark->currentValue().toInt(), 60);
    {
        const Console console;
        mark->setCurrentValue(QStringLiteral("soon"));
        EXPECT_EQ(Console::lines(),
                  QStringList{"velto: Countdown mark takes a number from 0 to 60, not \"soon\""});
    }
    EXPECT_EQ(mark->currentValue().toInt(), 60); // nothing lost
    mark->setCurrentValue(0);
    EXPECT_FALSE(model().armed());
}

TEST_F(Access, ValuesFollowTheTickAPunchAndTheAlarm) {
    EXPECT_EQ(value(w().imgTime[0]), "10:00");
    EXPECT_EQ(value(w().imgPunch), "out");
    EXPECT_EQ(value(w().imgSet[2]), "out");
    EXPECT_EQ(value(w().imgHeader), "off");
    EXPECT_EQ(value(w().imgAlarm[0]), "off");
    EXPECT_EQ(value(w().imgMark), "off");
    EXPECT_EQ(value(w().imgEach), "every 15 minutes");
    EXPECT_EQ(value(w().imgPunchUp[4]), "up");

    QTest::mouseClick(w().imgPunch, Qt::LeftButton);
    EXPECT_EQ(value(w().imgPunch), "in, 0 minutes");
    QTest::mouseClick(w().imgFixed[3], Qt::LeftButton); // 5 minutes
    EXPECT_EQ(value(w().imgHeader), "on");
    EXPECT_EQ(value(w().imgCenter), "on");
    EXPECT_EQ(value(w().imgAlarm[0]), "10:05");
    EXPECT_EQ(value(w().imgMark), "5 minutes");
    EXPECT_EQ(value(w().imgSet[0]), "5 minutes");
    QTest::mouseClick(w().imgEach, Qt::LeftButton);
    EXPECT_EQ(value(w().imgEach), "every 20 minutes");
    QTest::mouseClick(w().imgPunchUp[4], Qt::LeftButton);
    EXPECT_EQ(value(w().imgPunchUp[4]), "down");

    tickUntil("10:01:30"); // a minute after punching in
    EXPECT_EQ(value(w().imgTime[0]), "10:01");
    EXPECT_EQ(value(w().imgPunch), "in, 1 minute");
    EXPECT_EQ(value(w().imgSet[2]), "1");
    EXPECT_EQ(value(w().imgMark), "4 minutes");

    QTest::mouseClick(w().imgAlarm[2], Qt::LeftButton);
    EXPECT_EQ(value(w().imgAlarm[0]), "editing 10:05");
    QTest::mouseClick(w().imgCorrect[0], Qt::LeftButton);
    EXPECT_EQ(value(w().imgAlarm[0]), "editing 20:05");
    QTest::mouseClick(w().imgAlarm[2], Qt::LeftButton);
    EXPECT_EQ(value(w().imgAlarm[0]), "20:05");

    tickUntil("10:05:30");                 // it rang: a new alarm has still to be set
    EXPECT_EQ(value(w().imgHeader), "on"); // 20:05 is still ahead
    QTest::mouseClick(w().imgHeader, Qt::LeftButton);
    EXPECT_EQ(value(w().imgHeader), "off");
    EXPECT_EQ(value(w().imgMark), "off");
}

TEST_F(Access, TooltipsSayWhatAControlDoesInItsPresentState) {
    const QLocale user;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(tip(w().imgTime[0]), "Dienstag, 8. Dezember 2026"); // the date, in the user's words
    QLocale::setDefault(user);
    EXPECT_EQ(tip(w().imgFixed[3]), "Alarm in 5 minutes (key 3)");
    EXPECT_EQ(tip(w().imgMark), "Drag to set the countdown (arrow keys)");
    EXPECT_TRUE(tip(w().imgPunchUp[1]).contains("only latches"));
    EXPECT_TRUE(tip(w().imgEach).startsWith("Chimes every 15 minutes"));
    EXPECT_TRUE(tip(w().imgEach).contains("every 20 minutes"));
    for (int i = 0; i < 4; ++i) { // 20, 30, 60, off
        QTest::mouseClick(w().imgEach, Qt::LeftButton);
    }
    EXPECT_TRUE(tip(w().imgEach).contains("blank circle"));
    EXPECT_TRUE(tip(w().imgHeader).contains("switch it on"));
    QTest::mouseClick(w().imgCenter, Qt::LeftButton);
    EXPECT_TRUE(tip(w().imgHeader).contains("switch it off"));
    EXPECT_EQ(tip(w().imgHeader), tip(w().imgCenter));
    EXPECT_TRUE(tip(w().imgSet[0]).contains("Minutes left"));
    EXPECT_TRUE(tip(w().imgSet[3]).contains("punched in"));
}

TEST_F(Access, ARingsWindowSaysWhenItRangAndWhatItsButtonDoes) {
    tickUntil("10:01:00");
    app.ringer().ring(RingKind::Announcer);
    AlarmWindow& ring = *alarmWindow();
    ImageControl* time = element(ring, "imgTime", 0);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(name(time), "Rang at");
    EXPECT_EQ(value(time), "10:01");
    EXPECT_EQ(name(ring.findChild<QPushButton*>(QStringLiteral("cmdDone"))),
              "Close"); // its caption only counts the seconds
    EXPECT_EQ(of(&ring)->role(), QAccessible::AlertMessage);
    EXPECT_EQ(name(element(ring, "imgTime", 4)), "Rang at, minutes units");
}

TEST_F(Access, OnlyValuesThatChangedAreToldAgain) {
    using Told = QList<QObject*>;
    const Told first = takeChangedValues(window());
    for (QWidget* c : {static_cast<QWidget*>(w().imgTime[0]), static_cast<QWidget*>(w().imgPunch),
                       static_cast<QWidget*>(w().imgEach), static_cast<QWidget*>(w().imgMark)}) {
        EXPECT_TRUE(first.contains(c)) << qPrintable(c->objectName());
    }
    EXPECT_FALSE(first.contains(w().imgSet[3]));   // a part says nothing of its own
    EXPECT_FALSE(first.contains(w().imgFixed[0])); // a preset shows no value
    tickAfter(1);
    EXPECT_EQ(takeChangedValues(window()), Told()); // a second passed, no value changed

    QTest::keyClick(&window(), Qt::Key_P);
    const Told punch = takeChangedValues(window());
    EXPECT_EQ(QSet<QObject*>(punch.begin(), punch.end()),
              QSet<QObject*>({w().imgPunch, w().imgSet[2]}));
    tickUntil("10:01:31"); // a minute after punching in
    const Told minute = takeChangedValues(window());
    EXPECT_EQ(minute.size(), 3);
    EXPECT_TRUE(minute.contains(w().imgTime[0]));
    EXPECT_TRUE(minute.contains(w().imgPunch));
    QTest::keyClick(&window(), Qt::Key_A);
    const Told alarm = takeChangedValues(window());
    EXPECT_TRUE(alarm.contains(w().imgHeader));
    EXPECT_TRUE(alarm.contains(w().imgAlarm[0]));
    EXPECT_TRUE(alarm.contains(w().imgMark));
}

TEST_F(Access, NothingIsSentWhileNoScreenReaderListens) {
    QAccessible::installUpdateHandler(listen);
    tickAfter(1);
    QTest::keyClick(&window(), Qt::Key_P);
    EXPECT_TRUE(heard().isEmpty());
    QAccessible::setActive(true);
    if (!QAccessible::isActive()) {
        return; // this platform has no accessibility to switch on; the rest needs one
    }
    takeChangedValues(window());
    tickUntil("10:01:00");
    EXPECT_TRUE(heard().contains(
        std::make_pair(static_cast<QObject*>(w().imgTime[0]), QAccessible::ValueChanged)));
    app.ringer().ring(RingKind::Announcer); // its window is read out as it comes up
    EXPECT_TRUE(
        heard().contains(std::make_pair(static_cast<QObject*>(alarmWindow()), QAccessible::Alert)));
}

} // namespace velto::test
