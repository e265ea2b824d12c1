#pragma once
// The digital read-outs: the time and the alarm time as hh:mm in large digits, and the
// small digits of the seconds, the countdown and the punch count.

#include "art/depot.h"
#include "model/clock_model.h"

#include <QRect>
#include <QString>
#include <span>
#include <vector>

namespace velto {

struct ControlInfo;

/// A row of depot pictures that shows a time or a number. It owns its elements: controls
/// named as one element array of the layout, at consecutive indexes, all on one parent.
class Readout {
public:
    /// How a number that has fewer digits than the read-out has places begins.
    enum class Leading {
        Zeros,  // "04"
        Blanks, // "  4"; the units place always shows
    };

    /// A read-out of elements `name`(first) onward, one at each of `places` on `parent`,
    /// showing pictures of `array`: imgTime for hh:mm (five places, the colon the middle
    /// one), imgSet for small digits. They show nothing until told.
    Readout(Depot& depot, QWidget& parent, const QString& name, int first, DepotArray array,
            std::span<const QRect> places);

    /// Shows the hours and minutes of `time` (00:00 for none), the colon lit.
    void showTime(QTime time);
    /// The colon alone, lit or not.
    void showColon(bool lit);
    /// Shows `value` in as many digits as there are places; a larger value shows the largest
    /// the places hold, a negative one 0.
    void showNumber(int value, Leading leading);
    /// No digits, and an unlit colon.
    void clear();

    /// Describes the read-out as one control: its first picture speaks for it with `whole`;
    /// the others, which a screen reader passes over, are named by their place ("Time,
    /// minutes tens") and keep the tooltip.
    void describe(const ControlInfo& whole) const;

    /// The element at place `e`.
    [[nodiscard]] ImageControl& element(size_t e) const { return *elements_.at(e); }
    [[nodiscard]] const std::vector<ImageControl*>& elements() const { return elements_; }

private:
    [[nodiscard]] bool isTime() const { return array_ == DepotArray::imgTime; }
    [[nodiscard]] int blank() const { return isTime() ? kBlankDigit : kBlankSmall; }
    void show(size_t e, int index) { depot_.show(*elements_[e], array_, index); }

    Depot& depot_;
    DepotArray array_;
    std::vector<ImageControl*> elements_;
};

} // namespace velto
