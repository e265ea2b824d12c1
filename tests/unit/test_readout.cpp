// Time texts and the digital read-outs.
#include "art/layout.h"
#include "fakes.h"
#include "views/readout.h"

namespace velto::test {

TEST(TimeTexts, AreTwentyFourHourWithLeadingZerosWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // a 12-hour locale
    EXPECT_EQ(timeText(QTime(9, 5, 3)), "09:05:03");
    EXPECT_EQ(timeText(QTime(0, 0, 0)), "00:00:00");
    EXPECT_EQ(timeText(QTime(23, 59, 59, 999)), "23:59:59");
    EXPECT_EQ(minuteText(QTime(9, 5, 3)), "09:05");
    QLocale::setDefault(saved);
}

class Readouts : public ProgramTest {};

TEST_F(Readouts, NoTimeOfDayShowsAsZeros) {
    startAt("10:00:00");
    model().setAlarm(QTime());
    model().toggleEdit();
    EXPECT_EQ(alarmReadout(), "00:00");
}

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
    QWidget parent;
    std::array<QRect, 5> places;
    for (int e = 0; e < 5; ++e) {
        places.at(static_cast<size_t>(e)) = layout::readout(e, 0);
    }
    Readout other(app.depot(), parent, QStringLiteral("imgTime"), 0, DepotArray::imgTime, places);
    other.showTime(model().time()); // any read-out of the same shape
    EXPECT_EQ(other.element(1).picture(), ref(DepotArray::imgTime, 4));
    EXPECT_EQ(parent.findChildren<ImageControl*>().size(), 5) << "it owns its elements";
}

TEST_F(Readouts, NumbersFillTheirPlacesWithLeadingZerosOrBlanksAndStopAtTheTop) {
    startAt("00:00:00");
    QWidget parent;
    const std::array<QRect, 3> places{QRect(0, 0, 9, 17), QRect(9, 0, 9, 17), QRect(18, 0, 9, 17)};
    Readout r(app.depot(), parent, QStringLiteral("imgSet"), 2, DepotArray::imgSet, places);
    const auto digits = [&r] {
        QString t;
        for (ImageControl* c : r.elements()) {
            const int i = c->picture().index;
            t += i == kBlankSmall ? QStringLiteral(" ") : QString::number(i);
        }
        return t;
    };
    r.showNumber(7, Readout::Leading::Zeros);
    EXPECT_EQ(digits(), "007");
    r.showNumber(0, Readout::Leading::Blanks);
    EXPECT_EQ(digits(), "  0");
    r.showNumber(105, Readout::Leading::Blanks);
    EXPECT_EQ(digits(), "105");
    r.showNumber(40, Readout::Leading::Blanks);
    EXPECT_EQ(digits(), " 40");
    r.showNumber(12345, Readout::Leading::Blanks);
    EXPECT_EQ(digits(), "999");
    r.clear();
    EXPECT_EQ(digits(), "   ");
    EXPECT_EQ(r.element(0).index(), 2); // named as the elements of its array
}

} // namespace velto::test
