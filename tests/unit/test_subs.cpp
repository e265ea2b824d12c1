// Time texts and the digital read-outs.
#include "core/subs.h"
#include "fakes.h"

namespace velto::test {

TEST(TimeTexts, PadHourLooksOnlyAtTheSecondCharacter) {
    EXPECT_EQ(PadHour("7:30:00"), "07:30:00");
    EXPECT_EQ(PadHour("9:05:03"), "09:05:03");
    EXPECT_EQ(PadHour("12:30:00"), "12:30:00");
    EXPECT_EQ(PadHour("09:05:00"), "09:05:00");
    EXPECT_EQ(PadHour(""), "");
}

TEST(TimeTexts, SplitTimeTakesFieldsByPosition) {
    EXPECT_EQ(SplitTime("07:30:00"), (TimeParts{"07", "30", "00"}));
    EXPECT_EQ(SplitTime("07"), (TimeParts{"07", "", "07"}));
    EXPECT_EQ(SplitTime(""), (TimeParts{"", "", ""}));
}

TEST(TimeTexts, ReadClockIs24HourWithLeadingZerosWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // a 12-hour locale
    VeltoState s;
    const QDate d(2026, 12, 8);
    ReadClock(s, QDateTime(d, QTime(9, 5, 3), QTimeZone::utc()));
    EXPECT_EQ(s.TimeText, "09:05:03");
    EXPECT_EQ(s.Parts, (TimeParts{"09", "05", "03"}));
    ReadClock(s, QDateTime(d, QTime(0, 0, 0), QTimeZone::utc()));
    EXPECT_EQ(s.TimeText, "00:00:00");
    ReadClock(s, QDateTime(d, QTime(23, 59, 59, 999), QTimeZone::utc()));
    EXPECT_EQ(s.TimeText, "23:59:59");
    EXPECT_EQ(s.SecondText(), "59");
    QLocale::setDefault(saved);
}

TEST(TimeTexts, DigitAtCountsAnythingElseAsZero) {
    EXPECT_EQ(DigitAt("09:05", 1), 9);
    EXPECT_EQ(DigitAt("09:05", 2), 0);
    EXPECT_EQ(DigitAt("9", 5), 0);
    EXPECT_EQ(DigitAt("x", -1), 0);
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
    ReadClock(s(), clock.now());
    ShowSeconds(ctx());
    EXPECT_EQ(w().imgSet[5]->picture(), ref(DepotArray::imgSet, 5));
    EXPECT_EQ(w().imgSet[6]->picture(), ref(DepotArray::imgSet, 9));
}

TEST_F(Readouts, ShowTimeChangesOnlyTheReadoutItIsGiven) {
    startAt("00:00:00");
    for (int e : {0, 1, 3, 4}) {
        EXPECT_EQ(w().imgTime[e]->picture(), ref(DepotArray::imgTime, 0)) << e;
    }
    clock.at("14:27:00");
    ReadClock(s(), clock.now());
    ShowTime(ctx(), w().imgAlarm); // any read-out of the same shape
    EXPECT_EQ(w().imgAlarm[1]->picture(), ref(DepotArray::imgTime, 4));
    EXPECT_EQ(w().imgTime[1]->picture(), ref(DepotArray::imgTime, 0));
}

} // namespace velto::test
