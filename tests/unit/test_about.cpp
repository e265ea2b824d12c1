// The About window: its layout, its two buttons, and opening it again.
#include "fakes.h"
#include "views/about_window.h"

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
        ASSERT_TRUE(app.aboutWindow());
    }
    AboutWindow& about() { return *app.aboutWindow(); }
    /// A control of the About window by its name.
    template <class T> T* control(const char* name) {
        T* c = about().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
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
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Velto");
    EXPECT_EQ(control<QLabel>("Label1")->text(),
              "Analog clock, timer, alarm, time intervals announcer, punch clock.");
    EXPECT_EQ(control<QPushButton>("cmdHTTP")->text(), homePage());
    EXPECT_TRUE(homePage().startsWith("https://") || homePage().startsWith("http://"));
    EXPECT_EQ(control<QPushButton>("cmdDone")->text(), "Done");
}

TEST_F(About, EveryControlFitsAndNoneCoversAnother) {
    const QRect client = about().rect();
    const QRect frame = inWindow(control<QGroupBox>("Frame1"));
    const QRect label = inWindow(control<QLabel>("Label1"));
    const QRect http = inWindow(control<QPushButton>("cmdHTTP"));
    const QRect done = inWindow(control<QPushButton>("cmdDone"));
    for (const QRect& r : {frame, label, http, done}) {
        EXPECT_TRUE(client.contains(r)) << r.x() << "," << r.y();
    }
    EXPECT_TRUE(frame.contains(label));
    EXPECT_FALSE(label.intersects(http));
    EXPECT_FALSE(frame.intersects(done));
    // The address fits on its button in the desktop's font.
    EXPECT_LE(control<QPushButton>("cmdHTTP")->fontMetrics().horizontalAdvance(homePage()),
              http.width());
}

TEST_F(About, DoneComesFirstAndHasTheFocus) {
    EXPECT_EQ(about().focusWidget(), control<QPushButton>("cmdDone"));
    EXPECT_EQ(nextTabStop(&about()), control<QPushButton>("cmdDone"));
    EXPECT_EQ(nextTabStop(control<QPushButton>("cmdDone")), control<QPushButton>("cmdHTTP"));
}

TEST_F(About, TheAddressButtonOpensThePageEachTimeAndTheWindowStays) {
    QTest::mouseClick(control<QPushButton>("cmdHTTP"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("cmdHTTP"), Qt::LeftButton);
    EXPECT_EQ(urls.opened, QStringList({homePage(), homePage()}));
    EXPECT_TRUE(about().isVisible());
}

TEST_F(About, DoneHidesItAndShowsTheClockInTheStateItHad) {
    AboutWindow* first = &about();
    app.presence().sendToTray();
    QTest::mouseClick(control<QPushButton>("cmdDone"), Qt::LeftButton);
    EXPECT_TRUE(about().isHidden());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isMinimized());

    // Loaded once: "About" shows the same window again.
    tray.choose("&About");
    EXPECT_EQ(&about(), first);
    EXPECT_TRUE(about().isVisible());
    EXPECT_EQ(about().focusWidget(), control<QPushButton>("cmdDone"));
}

TEST_F(About, WorksFromTheKeyboardAlone) {
    QTest::keyClick(control<QPushButton>("cmdDone"), Qt::Key_Tab);
    ASSERT_EQ(about().focusWidget(), control<QPushButton>("cmdHTTP"));
    QTest::keyClick(control<QPushButton>("cmdHTTP"), Qt::Key_Return);
    EXPECT_EQ(urls.opened, QStringList({homePage()}));
    QTest::keyClick(control<QPushButton>("cmdHTTP"), Qt::Key_Space);
    EXPECT_EQ(urls.opened.size(), 2);
    EXPECT_TRUE(about().isVisible());

    QTest::keyClick(control<QPushButton>("cmdHTTP"), Qt::Key_Escape); // as Done
    EXPECT_TRUE(about().isHidden());
    EXPECT_TRUE(window().isVisible());
    tray.choose("&About");
    QTest::keyClick(control<QPushButton>("cmdDone"), Qt::Key_Enter);
    EXPECT_TRUE(about().isHidden());
    EXPECT_EQ(urls.opened.size(), 2);
}

TEST_F(About, AboutWhileOpenKeepsOneWindow) {
    AboutWindow* first = &about();
    tray.choose("&About");
    EXPECT_EQ(&about(), first);
    EXPECT_TRUE(about().isVisible());
}

} // namespace velto::test
