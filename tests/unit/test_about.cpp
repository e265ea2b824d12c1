// The About window: its layout, its two buttons, and opening it again.
#include "fakes.h"
#include "shell/frm_about.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace velto::test {

class About : public ProgramTest {
protected:
    void SetUp() override {
        startAt("10:00:00");
        tray.choose("&About");
        ASSERT_TRUE(ctx().windows.about);
    }
    FrmAbout& about() { return *ctx().windows.about; }
    /// The widget the Tab key goes to from `from`.
    static QWidget* nextTabStop(QWidget* from) {
        QWidget* w = from->nextInFocusChain();
        while (w != from && !(w->focusPolicy() & Qt::TabFocus)) {
            w = w->nextInFocusChain();
        }
        return w;
    }
    /// Where `child` lies in the window's client area.
    QRect inWindow(const QWidget* child) {
        return {child->mapTo(&about(), QPoint(0, 0)), child->size()};
    }
};

TEST_F(About, SaysWhatTheProgramIsAndWhereItLives) {
    EXPECT_TRUE(about().isVisible());
    EXPECT_EQ(about().windowTitle(), "About Velto");
    EXPECT_EQ(about().size(), QSize(304, 139));
    EXPECT_EQ(about().Frame1->title(), "Velto");
    EXPECT_EQ(about().Label1->text(),
              "Analog clock, timer, alarm, time intervals announcer, punch clock.");
    EXPECT_EQ(about().cmdHTTP->text(), HomePage());
    EXPECT_TRUE(HomePage().startsWith("https://") || HomePage().startsWith("http://"));
    EXPECT_EQ(about().cmdDone->text(), "Done");
}

TEST_F(About, EveryControlFitsAndNoneCoversAnother) {
    const QRect client = about().rect();
    const QRect frame = inWindow(about().Frame1);
    const QRect label = inWindow(about().Label1);
    const QRect http = inWindow(about().cmdHTTP);
    const QRect done = inWindow(about().cmdDone);
    for (const QRect& r : {frame, label, http, done}) {
        EXPECT_TRUE(client.contains(r)) << r.x() << "," << r.y();
    }
    EXPECT_TRUE(frame.contains(label));
    EXPECT_FALSE(label.intersects(http));
    EXPECT_FALSE(frame.intersects(done));
    // The address fits on its button in the desktop's font.
    EXPECT_LE(about().cmdHTTP->fontMetrics().horizontalAdvance(HomePage()), http.width());
}

TEST_F(About, DoneComesFirstAndHasTheFocus) {
    EXPECT_EQ(about().focusWidget(), about().cmdDone);
    EXPECT_EQ(nextTabStop(&about()), about().cmdDone);
    EXPECT_EQ(nextTabStop(about().cmdDone), about().cmdHTTP);
}

TEST_F(About, TheAddressButtonOpensThePageEachTimeAndTheWindowStays) {
    QTest::mouseClick(about().cmdHTTP, Qt::LeftButton);
    QTest::mouseClick(about().cmdHTTP, Qt::LeftButton);
    EXPECT_EQ(urls.opened, QStringList({HomePage(), HomePage()}));
    EXPECT_TRUE(about().isVisible());
}

TEST_F(About, DoneHidesItAndShowsTheClockInTheStateItHad) {
    FrmAbout* first = &about();
    w().minimiseAndHide();
    QTest::mouseClick(about().cmdDone, Qt::LeftButton);
    EXPECT_TRUE(about().isHidden());
    EXPECT_TRUE(w().isVisible());
    EXPECT_TRUE(w().isMinimized());

    // Loaded once: "About" shows the same window again.
    tray.choose("&About");
    EXPECT_EQ(&about(), first);
    EXPECT_TRUE(about().isVisible());
    EXPECT_EQ(about().focusWidget(), about().cmdDone);
}

TEST_F(About, WorksFromTheKeyboardAlone) {
    QTest::keyClick(about().cmdDone, Qt::Key_Tab);
    ASSERT_EQ(about().focusWidget(), about().cmdHTTP);
    QTest::keyClick(about().cmdHTTP, Qt::Key_Return);
    EXPECT_EQ(urls.opened, QStringList({HomePage()}));
    QTest::keyClick(about().cmdHTTP, Qt::Key_Space);
    EXPECT_EQ(urls.opened.size(), 2);
    EXPECT_TRUE(about().isVisible());

    QTest::keyClick(about().cmdHTTP, Qt::Key_Escape); // as Done
    EXPECT_TRUE(about().isHidden());
    EXPECT_TRUE(w().isVisible());
    tray.choose("&About");
    QTest::keyClick(about().cmdDone, Qt::Key_Enter);
    EXPECT_TRUE(about().isHidden());
    EXPECT_EQ(urls.opened.size(), 2);
}

TEST_F(About, AboutWhileOpenKeepsOneWindow) {
    FrmAbout* first = &about();
    tray.choose("&About");
    EXPECT_EQ(&about(), first);
    EXPECT_TRUE(about().isVisible());
}

} // namespace velto::test
