// The tray icon, its menu and clicks, the window icon, and what changes when the desktop has
// no notification area.
#include "art/depot_art.h"
#include "fakes.h"
#include "platform/qt_desktop.h"
#include "views/about_window.h"
#include "views/tray_presenter.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace velto::test {

class Tray : public ProgramTest {
protected:
    void SetUp() override {
        startAt("10:00:00");
        showFirstFrame(); // the window icon is set from then on
    }

    /// Icon, tip, menu switch and window icon all show `off` (0 armed, 1 off).
    void expectLook(int off) {
        const Depot& d = app.depot();
        EXPECT_EQ(model().armed(), off == 0);
        EXPECT_EQ(tray.iconKey, d.trayIcon(off).cacheKey());
        EXPECT_EQ(tray.tip, d.tag(DepotArray::imgTrayIcon, off));
        // The menu offers the other state.
        EXPECT_EQ(tray.menu.at(static_cast<size_t>(TrayEntry::AlarmSwitch)).caption,
                  d.tag(DepotArray::imgTrayIcon, 1 - off));
        EXPECT_EQ(window().windowIcon().cacheKey(), d.windowIcon(off).cacheKey());
        EXPECT_EQ(QApplication::windowIcon().cacheKey(), d.windowIcon(off).cacheKey());
    }
    void hideMinimised() {
        app.presence().sendToTray();
        ASSERT_TRUE(window().isHidden());
        ASSERT_TRUE(window().isMinimized());
    }
};

TEST_F(Tray, MenuHasItsEntriesWithShowAsTheDefault) {
    EXPECT_EQ(tray.captions(), QStringList({"Alarm ON", "-", "&Show Velto", "&About", "&Punch log",
                                            "P&references...", "Start at &login", "-", "E&xit"}));
    for (size_t i = 0; i < tray.menu.size(); ++i) {
        EXPECT_EQ(tray.menu[i].isDefault, i == static_cast<size_t>(TrayEntry::Show)) << i;
    }
}

TEST_F(Tray, IconTipMenuAndWindowIconFollowTheAlarm) {
    EXPECT_TRUE(tray.visible());
    EXPECT_EQ(tray.adds, 1);
    expectLook(1);

    tray.choose("Alarm ON");
    expectLook(0);
    EXPECT_EQ(model().alarmTime(), QTime(10, 0, 4));

    tray.choose("Alarm OFF");
    expectLook(1);

    // A ring switches the alarm off from inside the tick: every look follows.
    tray.choose("Alarm ON");
    tickUntil("10:00:04");
    expectLook(1);
    EXPECT_EQ(rings(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Tray, TheAboutWindowTakesTheWindowIconToo) {
    tray.choose("&About");
    ASSERT_TRUE(app.aboutWindow());
    tray.choose("Alarm ON");
    EXPECT_EQ(app.aboutWindow()->windowIcon().cacheKey(), app.depot().windowIcon(0).cacheKey());
}

TEST_F(Tray, APressOnTheIconRestoresShowsAndRaises) {
    hideMinimised();
    tray.click(TrayClick::Single);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());

    window().setWindowState(Qt::WindowMinimized); // minimised, not hidden
    tray.click(TrayClick::Single);
    EXPECT_FALSE(window().isMinimized());
}

TEST_F(Tray, ADoubleClickShowsTheWindowAsItWas) {
    window().hide();
    tray.click(TrayClick::Double);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());

    // On its own a double click restores nothing; its first press has done that already.
    hideMinimised();
    tray.click(TrayClick::Double);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isMinimized());
}

TEST_F(Tray, ShowVeltoBringsBackAHiddenMinimisedWindow) {
    hideMinimised();
    tray.choose("&Show Velto");
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());
}

TEST_F(Tray, AClockKeptInAnAreaThatGoesAwayComesBackOnTheScreen) {
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    ASSERT_TRUE(window().isHidden());
    tray.vanish();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());
    // Until an area comes again, minimising leaves it on the taskbar.
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    EXPECT_TRUE(window().isVisible());
    tray.appear();
    EXPECT_TRUE(tray.visible());
}

TEST_F(Tray, ExitShutsDownAndTakesTheIconAndTheAboutWindowAlong) {
    tray.choose("&About");
    ASSERT_TRUE(app.aboutWindow());
    tray.choose("E&xit");
    EXPECT_FALSE(tray.visible());
    EXPECT_EQ(tray.removals, 1);
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_FALSE(ticker.running());
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(app.aboutWindow());
}

class NoTrayArea : public ProgramTest {
protected:
    void SetUp() override {
        tray.available = false;
        startAt("10:00:00");
    }
    static QString unableToAdd() {
        return QStringLiteral("Velto: Unable to add icon to system tray");
    }
};

TEST_F(NoTrayArea, SaysSoOnceWhenNoneCameAFewSecondsAfterStartUp) {
    EXPECT_TRUE(messages.shown.isEmpty()); // a panel starting with the session has time
    tray.stillMissing();
    EXPECT_EQ(messages.shown, QStringList({unableToAdd()}));
    EXPECT_FALSE(tray.visible());
    tray.choose("Alarm ON");
    tickUntil("10:00:14"); // rings and switches the alarm off inside the tick
    EXPECT_EQ(rings(), 1);
    tray.choose("Alarm ON");
    tray.choose("Alarm OFF");
    tickUntil("10:01:00");
    EXPECT_EQ(messages.shown, QStringList({unableToAdd()}));
}

TEST_F(NoTrayArea, MinimiseAndCloseLeaveTheWindowOnTheTaskbar) {
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());

    window().setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(window().close()); // the close command
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(desktop.ends, 0);
}

TEST_F(NoTrayArea, AnAreaThatComesLaterGetsTheIconInTheCurrentStateAndTakesTheBoxAway) {
    tray.stillMissing();
    ASSERT_EQ(messages.up.size(), 1);
    tray.choose("Alarm ON");
    tray.appear();
    EXPECT_TRUE(tray.visible());
    EXPECT_EQ(tray.tip, "Alarm ON");
    EXPECT_EQ(tray.iconKey, app.depot().trayIcon(0).cacheKey());
    EXPECT_TRUE(messages.up.isEmpty());
    EXPECT_EQ(messages.shown.size(), 1);

    // With an icon to come back from, minimising hides again.
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    EXPECT_TRUE(window().isHidden());
}

TEST(MessageBox, LeavesTheOtherWindowsUsableAndGoesWhenWithdrawn) {
    QtMessageBoxes boxes;
    const int id = boxes.inform(QStringLiteral("Velto"), QStringLiteral("Said in a box"));
    QPointer<QMessageBox> box;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->text() == "Said in a box") {
            box = b;
        }
    }
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    boxes.withdraw(id);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
    boxes.withdraw(id); // gone already: nothing
}

TEST(TrayArt, IconsAreDrawnAtEveryPanelSize) {
    Depot depot(dialNumbers());
    const QList<QSize> tray{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    for (int off = 0; off < 2; ++off) {
        EXPECT_EQ(depot.trayIcon(off).availableSizes(), tray) << off;
        const QList<QSize> window = depot.windowIcon(off).availableSizes();
        EXPECT_TRUE(window.contains(QSize(22, 22)));
        EXPECT_TRUE(window.contains(QSize(256, 256)));
    }
    // Armed and off differ at the smallest size a panel shows.
    EXPECT_NE(depot.trayIcon(0).pixmap(16).toImage(), depot.trayIcon(1).pixmap(16).toImage());
}

TEST(TrayArt, OnAScaledScreenIconsAreDrawnForTheDevicePixelsTheyFill) {
    Depot depot(dialNumbers());
    for (int off = 0; off < 2; ++off) {
        // A 16-pixel tray icon on a 2x screen fills 32 device pixels: the 32-pixel drawing,
        // not the 16-pixel one enlarged.
        QImage target(32, 32, QImage::Format_ARGB32_Premultiplied);
        target.setDevicePixelRatio(2);
        target.fill(Qt::transparent);
        QPainter p(&target);
        depot.trayIcon(off).paint(&p, QRect(0, 0, 16, 16));
        p.end();
        QImage drawn = art::trayIcon(off == 1, 32);
        drawn.setDevicePixelRatio(2);
        EXPECT_EQ(target, drawn) << off;
    }
}

} // namespace velto::test
