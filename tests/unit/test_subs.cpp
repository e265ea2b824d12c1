// Time texts and the digital read-outs.
#include "core/subs.h"
#include "fakes.h"

namespace velto::test {

TEST(TimeTexts, AreTwentyFourHourWithLeadingZerosWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // a 12-hour locale
    EXPECT_EQ(timeText(QTime(9, 5, 3)), "09:05:03");
    EXPECT_EQ(timeText(QTime(0, 0, 0)), "00:00:00");
    EXPECT_EQ(timeText(QTime(23, 59, 59, 999)), "23:59:59");
    QLocale::setDefault(saved);
}

TEST(TimeTexts, DigitAtCountsAnythingElseAsZero) {
    EXPECT_EQ(digitAt("09:05", 1), 9);
    EXPECT_EQ(digitAt("09:05", 2), 0);
    EXPECT_EQ(digitAt("9", 5), 0);
    EXPECT_EQ(digitAt("x", -1), 0);
}

class Readouts : public ProgramTest {};

TEST_F(Readouts, ShowTimeAndShowSecondsDrawTheCurrentTime) {
    startAt("09:05:03");
    EXPECT_EQ(w().imgTime[0]->picture(), ref(DepotArray::imgTime, 0));
    EXPECT_EQ(w().imgTime[1]->picture(), ref(DepotArray::imgTime, 9));
    EXPECT_EQ(w().imgTime[2]->picture(), ref(DepotArray::imgTime, 12));
    EXPECT_EQ(w().imgTime[3]->picture(), ref(DepotArray::imgTime, 0));
    EXPECT_EQ(w().imgTime[4]->picture(), ref(DepotArray::imgTime, 5));
    EXPECT_EQ(w().imgSet[5]->picture(), ref(DepotArray::imgSet, 0));
    EXPECT_EQ(w().imgSet[6]->picture(), ref(DepotArray::imgSet, 3));

    clock.at("23:59:59");
    ticker.fire();
    EXPECT_EQ(w().imgSet[5]->picture(), ref(DepotArray::imgSet, 5));
    EXPECT_EQ(w().imgSet[6]->picture(), ref(DepotArray::imgSet, 9));
}

TEST_F(Readouts, ShowTimeDrawsOnTheReadoutItIsGiven) {
    startAt("00:00:00");
    for (int e : {0, 1, 3, 4}) {
        EXPECT_EQ(w().imgTime[e]->picture(), ref(DepotArray::imgTime, 0)) << e;
    }
    clock.at("14:27:00");
    ticker.fire();
    ShowTime(ctx(), w().imgAlarm); // any read-out of the same shape
    EXPECT_EQ(w().imgAlarm[1]->picture(), ref(DepotArray::imgTime, 4));
}

} // namespace velto::test
