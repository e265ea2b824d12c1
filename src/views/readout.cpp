#include "views/readout.h"

#include "controls/describe.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace velto {

namespace {

/// The place of the colon in a hh:mm read-out.
constexpr size_t kColon = 2;

/// The places of a read-out, left to right: hh:mm, or the digits of a number.
QStringList placeNames(size_t places) {
    switch (places) {
    case 5:
        return {QCoreApplication::translate("velto::Readout", "hours tens"),
                QCoreApplication::translate("velto::Readout", "hours units"),
                QCoreApplication::translate("velto::Readout", "colon"),
                QCoreApplication::translate("velto::Readout", "minutes tens"),
                QCoreApplication::translate("velto::Readout", "minutes units")};
    case 3:
        return {QCoreApplication::translate("velto::Readout", "hundreds"),
                QCoreApplication::translate("velto::Readout", "tens"),
                QCoreApplication::translate("velto::Readout", "units")};
    default:
        return {QCoreApplication::translate("velto::Readout", "tens"),
                QCoreApplication::translate("velto::Readout", "units")};
    }
}

} // namespace

Readout::Readout(Depot& depot, QWidget& parent, const QString& name, int first, DepotArray array,
                 std::span<const QRect> places)
    : depot_(depot), array_(array) {
    elements_.reserve(places.size());
    int index = first;
    for (const QRect& r : places) {
        elements_.push_back(ImageControl::placed(&parent, name, index++, r));
    }
}

void Readout::showTime(QTime time) {
    // No time of day shows as 00:00.
    const QTime t = time.isValid() ? time : QTime(0, 0);
    const std::array<int, 5> digits{t.hour() / 10, t.hour() % 10, 0, t.minute() / 10,
                                    t.minute() % 10};
    for (size_t e = 0; e < elements_.size() && e < digits.size(); ++e) {
        if (e != kColon) {
            show(e, digits.at(e));
        }
    }
    showColon(true);
}

void Readout::showColon(bool lit) {
    show(kColon, lit ? kLitColon : kUnlitColon);
}

void Readout::showNumber(int value, Leading leading) {
    int top = 1;
    for (size_t e = 0; e < elements_.size(); ++e) {
        top *= 10;
    }
    int rest = std::clamp(value, 0, top - 1);
    // From the units leftward; a leading place shows blank once the digits have run out.
    for (size_t e = elements_.size(); e-- > 0;) {
        const bool units = e + 1 == elements_.size();
        const bool blank = leading == Leading::Blanks && rest == 0 && !units;
        show(e, blank ? this->blank() : rest % 10);
        rest /= 10;
    }
}

void Readout::clear() {
    for (size_t e = 0; e < elements_.size(); ++e) {
        show(e, isTime() && e == kColon ? kUnlitColon : blank());
    }
}

void Readout::describe(const ControlInfo& whole) const {
    const QStringList places = placeNames(elements_.size());
    describeControl(*elements_.front(), whole);
    for (size_t e = 1; e < elements_.size(); ++e) {
        describeControl(*elements_[e], {.name = QStringLiteral("%1, %2").arg(
                                            whole.name, places.value(qsizetype(e))),
                                        .role = QAccessible::StaticText,
                                        .tip = whole.tip,
                                        .part = true});
    }
}

} // namespace velto
