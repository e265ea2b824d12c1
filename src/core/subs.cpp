#include "core/subs.h"

namespace velto {

void ReadClock(VeltoState& s, const QDateTime& now) {
    // Formatted by hand: the system's own time format may be 12-hour or carry a suffix.
    const QTime t = now.time();
    const QString text = QStringLiteral("%1:%2:%3")
                             .arg(t.hour())
                             .arg(t.minute(), 2, 10, QLatin1Char('0'))
                             .arg(t.second(), 2, 10, QLatin1Char('0'));
    s.TimeText = PadHour(text);
    s.Parts = SplitTime(s.TimeText);
}

QString PadHour(const QString& text) {
    if (text.size() >= 2 && text[1] == QLatin1Char(':')) {
        return QLatin1Char('0') + text;
    }
    return text;
}

TimeParts SplitTime(const QString& text) {
    return {text.left(2), text.mid(3, 2), text.right(2)};
}

int DigitAt(const QString& text, qsizetype pos) {
    if (pos < 0 || pos >= text.size() || !text[pos].isDigit()) {
        return 0;
    }
    const int v = text[pos].digitValue();
    return v >= 0 && v <= 9 ? v : 0;
}

int64_t WallSeconds(const QDateTime& t) {
    return t.toSecsSinceEpoch() + t.offsetFromUtc();
}

void ShowTime(const Ctx& c, const Readout& imgTime) {
    c.show(*imgTime[0], DepotArray::imgTime, DigitAt(c.s.TimeText, 0));
    c.show(*imgTime[1], DepotArray::imgTime, DigitAt(c.s.TimeText, 1));
    c.show(*imgTime[2], DepotArray::imgTime, kLitColon);
    c.show(*imgTime[3], DepotArray::imgTime, DigitAt(c.s.TimeText, 3));
    c.show(*imgTime[4], DepotArray::imgTime, DigitAt(c.s.TimeText, 4));
}

void ShowTwoDigits(const Ctx& c, ImageControl& tens, ImageControl& units, int value) {
    const int t = value / 10;
    c.show(tens, DepotArray::imgSet, t);
    c.show(units, DepotArray::imgSet, value - 10 * t);
}

void ShowSeconds(const Ctx& c) {
    const int v = DigitAt(c.s.SecondText(), 0) * 10 + DigitAt(c.s.SecondText(), 1);
    ShowTwoDigits(c, *c.main.imgSet[5], *c.main.imgSet[6], v);
}

} // namespace velto
