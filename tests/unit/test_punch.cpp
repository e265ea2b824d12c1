// The punch clock: punching in and out, the count and its read-out, and the keypad.
#include "fakes.h"

#include <QTest>
#include <vector>

namespace velto::test {

class PunchClock : public ProgramTest {
protected:
    /// The three places as text: a digit, ' ' for the blank picture, '?' for anything else.
    QString readout() {
        QString text;
        for (int place = 2; place <= 4; ++place) {
            const PictureRef r = w().imgSet[place]->picture();
            if (r == ref(DepotArray::imgSet, 10)) {
                text += ' ';
            } else if (r.array == int(DepotArray::imgSet) && r.index >= 0 && r.index <= 9) {
                text += QChar('0' + r.index);
            } else {
                text += '?';
            }
        }
        return text;
    }
    bool lit() { return w().imgPunch->picture() == ref(DepotArray::imgPunch, 1); }
    void clickPunch() { QTest::mouseClick(w().imgPunch, Qt::LeftButton); }
    /// `minutes` more real minutes pass, in one tick.
    void count(int minutes) { tickAfter(60 * minutes); }
};

TEST_F(PunchClock, StartsPunchedOutWithANormalButtonAndBlankPlaces) {
    startAt("10:00:00");
    EXPECT_FALSE(model().punchMinutes());
    EXPECT_EQ(w().imgPunch->picture(), ref(DepotArray::imgPunch, 0));
    EXPECT_EQ(readout(), "   ");
    EXPECT_TRUE(messages.shown.isEmpty()); // start-up's punch-out is not a misuse
}

TEST_F(PunchClock, CountsEachRealMinuteAfterPunchingIn) {
    startAt("10:15:50");
    tickUntil("10:15:59");
    clickPunch();
    EXPECT_TRUE(lit());
    EXPECT_EQ(model().punchMinutes(), 0);
    EXPECT_EQ(readout(), "  0");

    tickUntil("10:16:58");
    EXPECT_EQ(readout(), "  0");
    tickAfter(1); // a minute after punching in
    EXPECT_EQ(readout(), "  1");
    tickUntil("10:17:58");
    EXPECT_EQ(readout(), "  1");
    tickAfter(1);
    EXPECT_EQ(readout(), "  2");
}

TEST_F(PunchClock, MinutesMissedInALongGapAreCounted) {
    startAt("10:15:30");
    clickPunch();
    tickAfter(600);
    EXPECT_EQ(model().punchMinutes(), 10);
    EXPECT_EQ(readout(), " 10");
}

TEST_F(PunchClock, LeadingPlacesStayBlankAndInnerZerosShow) {
    startAt("10:00:00");
    clickPunch();
    const std::vector<std::pair<int, QString>> expected{
        {7, "  7"},   {9, "  9"},   {10, " 10"},  {42, " 42"},  {99, " 99"},  {100, "100"},
        {101, "101"}, {105, "105"}, {109, "109"}, {110, "110"}, {305, "305"}, {999, "999"}};
    int at = 0;
    for (const auto& [minutes, text] : expected) {
        count(minutes - at);
        at = minutes;
        EXPECT_EQ(readout(), text) << minutes;
    }
}

TEST_F(PunchClock, CountsPastTheReadoutAndRestsBelowThePunchedOutValue) {
    startAt("10:00:00");
    clickPunch();
    count(1000);
    EXPECT_EQ(model().punchMinutes(), 1000);
    EXPECT_EQ(readout(), "999");
    count(234);
    EXPECT_EQ(readout(), "999");

    // Near the top, the tick counts up to it and no further, however long the gap.
    count(ClockModel::kPunchTop - 3 - 1234);
    tickAfter(3600);
    EXPECT_EQ(model().punchMinutes(), ClockModel::kPunchTop);
    count(1);
    EXPECT_EQ(model().punchMinutes(), ClockModel::kPunchTop);
    EXPECT_TRUE(lit());
    EXPECT_EQ(readout(), "999");
    EXPECT_TRUE(messages.shown.isEmpty());

    clickPunch(); // still punched in, so this punches out
    EXPECT_FALSE(model().punchMinutes());
    EXPECT_FALSE(lit());
}

TEST_F(PunchClock, PunchingOutForgetsTheCount) {
    startAt("10:00:00");
    clickPunch();
    count(42);
    clickPunch();
    EXPECT_FALSE(model().punchMinutes());
    EXPECT_EQ(w().imgPunch->picture(), ref(DepotArray::imgPunch, 0));
    EXPECT_EQ(readout(), "   ");
    tickAfter(120);
    EXPECT_FALSE(model().punchMinutes());

    clickPunch();
    EXPECT_TRUE(lit());
    EXPECT_EQ(model().punchMinutes(), 0);
    EXPECT_EQ(readout(), "  0");
}

class PunchKeypad : public ProgramTest {
protected:
    /// The keys that show pressed; every other key must show its own released picture.
    std::vector<int> pressed() {
        std::vector<int> keys;
        for (int k = 1; k <= 12; ++k) {
            const PictureRef r = w().imgPunchUp[k]->picture();
            if (r == ref(DepotArray::imgPunchDn, k)) {
                keys.push_back(k);
            } else {
                EXPECT_EQ(r, ref(DepotArray::imgPunchUp, k)) << "key " << k;
            }
        }
        return keys;
    }
    void press(int k, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(w().imgPunchUp[k], button);
        QTest::mouseRelease(w().imgPunchUp[k], button); // a release changes nothing
    }
};

TEST_F(PunchKeypad, ShowsTheKeyThatIsDown) {
    startAt("10:00:00");
    EXPECT_EQ(pressed(), std::vector<int>{});
    press(5);
    EXPECT_EQ(pressed(), std::vector<int>{5});
    press(9, Qt::RightButton); // any button
    EXPECT_EQ(pressed(), std::vector<int>{9});
    press(9);
    EXPECT_EQ(pressed(), std::vector<int>{});
    press(12);
    EXPECT_EQ(pressed(), std::vector<int>{12});
}

class KeypadLatch : public ModelTest {};

TEST_F(KeypadLatch, TheLastKeyStaysDownAndComesUpWhenPressedAgain) {
    startAt("10:00:00");
    EXPECT_EQ(model().keyDown(), 0);
    EXPECT_EQ(model().pressedKey(), 0);
    const struct {
        int press, down, last;
    } steps[] = {
        {5, 5, 5}, {9, 9, 9},    {9, 0, 9},   {9, 0, 9},    // up, and it stays up
        {4, 4, 4}, {12, 12, 12}, {0, 12, 12}, {13, 12, 12}, // no such keys
    };
    for (const auto& step : steps) {
        model().pressKey(step.press);
        EXPECT_EQ(model().keyDown(), step.down) << step.press;
        EXPECT_EQ(model().pressedKey(), step.last) << step.press;
    }
}

} // namespace velto::test
