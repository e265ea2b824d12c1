// The preset buttons' highlight and the correction bars: their wrap rules, in order, and the
// press that sinks a bar while the button is held.
#include "fakes.h"

#include <QTest>

namespace velto::test {

class Countdown : public ProgramTest {
protected:
    void SetUp() override { startAt("10:00:00"); }
    std::vector<int> highlighted() {
        std::vector<int> lit;
        for (int k = 0; k < 10; ++k) {
            const PictureRef r = w().imgFixed[k]->picture();
            EXPECT_TRUE(r.index == k || r.index == k + kHighlighted) << k;
            if (r.index == k + kHighlighted) {
                lit.push_back(k);
            }
        }
        return lit;
    }
};

TEST_F(Countdown, OnlyThePresetUnderThePointerIsHighlighted) {
    QTest::mouseMove(w().imgFixed[2], QPoint(5, 5));
    EXPECT_EQ(highlighted(), std::vector<int>{2});
    QTest::mouseMove(w().imgFixed[3], QPoint(5, 5));
    EXPECT_EQ(highlighted(), std::vector<int>{3});
    QTest::mouseMove(w().imgFixed[9], QPoint(5, 5));
    EXPECT_EQ(highlighted(), std::vector<int>{9});
    QTest::mouseMove(&window(), QPoint(40, 180)); // the bare background
    EXPECT_TRUE(highlighted().empty());
}

class CorrectionBars : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        startAt("10:00:00");
    }
};

TEST_F(CorrectionBars, WrapEachDigitInTheirOrder) {
    const struct {
        const char* edited;
        int bar;
        const char* result;
    } cases[] = {
        {"19:59:00", 0, "20:59:00"}, // 29 is no hour: the units go back to 0
        {"23:59:00", 1, "20:59:00"}, {"09:59:00", 1, "00:59:00"},
        {"12:59:00", 2, "12:09:00"}, {"12:59:00", 3, "12:50:00"},
        {"21:30:00", 0, "01:30:00"}, {"15:45:30", 0, "20:45:00"}, // a preset's seconds go too
    };
    for (const auto& c : cases) {
        model().setAlarm(QTime::fromString(QString::fromLatin1(c.edited),
                                           "hh:mm:ss")); // where the edit starts from
        model().toggleEdit();
        model().correctDigit(c.bar);
        EXPECT_EQ(timeText(model().editedTime()), c.result) << c.edited << " bar " << c.bar;
        EXPECT_EQ(timeText(model().alarmTime()),
                  c.edited); // the edit alone changes nothing of the alarm
        model().toggleEdit();
    }
}

TEST_F(Countdown, ABarSinksTwoPixelsWhileHeld) {
    model().toggleEdit();
    ImageControl* bar = w().imgCorrect[2];
    QTest::mousePress(bar, Qt::LeftButton);
    EXPECT_EQ(bar->pos().y(), 86);
    QTest::mouseRelease(bar, Qt::LeftButton);
    EXPECT_EQ(bar->pos().y(), 84);
    EXPECT_EQ(model().editedTime(), QTime(10, 10));
    QTest::mousePress(bar, Qt::RightButton); // any button sinks it, only the left one clicks
    EXPECT_EQ(bar->pos().y(), 86);
    QTest::mouseRelease(bar, Qt::RightButton);
    EXPECT_EQ(bar->pos().y(), 84);
    EXPECT_EQ(model().editedTime(), QTime(10, 10));
}

} // namespace velto::test
