#include "assets/depot.h"

#include "assets/depot_art.h"

#include <QtGlobal>

namespace velto {

namespace {

struct Range {
    int first;
    int last;
};

constexpr std::array<Range, kDepotArrayCount> kRanges{{
    {0, 12}, // imgTime
    {0, 10}, // imgSet
    {0, 19}, // imgFixed
    {1, 12}, // imgPunchUp
    {1, 12}, // imgPunchDn
    {0, 5},  // imgEach
    {0, 5},  // imgDial
    {0, 1},  // imgHeader
    {0, 1},  // imgHeaderV
    {0, 1},  // imgHeaderX
    {0, 1},  // imgPunch
    {0, 1},  // imgCenter
    {0, 1},  // imgTrayIcon
}};

constexpr std::array<const char*, kDepotArrayCount> kNames{
    "imgTime",   "imgSet",     "imgFixed",   "imgPunchUp", "imgPunchDn", "imgEach",    "imgDial",
    "imgHeader", "imgHeaderV", "imgHeaderX", "imgPunch",   "imgCenter",  "imgTrayIcon"};

constexpr Range range(DepotArray a) {
    return kRanges[static_cast<size_t>(a)];
}

QPixmap px(const QImage& image) {
    return QPixmap::fromImage(image);
}

/// Every size a panel, a task switcher or a HiDPI screen asks for, each drawn for itself, so
/// that none is a blurred scaling of another.
constexpr std::array kTrayIconSizes{16, 22, 24, 32, 48, 64};
constexpr std::array kWindowIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

template <size_t N>
QIcon icon(QImage (*draw)(bool, int), bool off, const std::array<int, N>& sizes) {
    QIcon result;
    for (int size : sizes) {
        result.addPixmap(px(draw(off, size)));
    }
    return result;
}

} // namespace

int FrmDepot::first(DepotArray array) {
    return range(array).first;
}
int FrmDepot::last(DepotArray array) {
    return range(array).last;
}

FrmDepot::FrmDepot() {
    auto fill = [this](DepotArray a, auto draw) {
        auto& v = arrays_[static_cast<size_t>(a)];
        v.resize(static_cast<size_t>(range(a).last + 1));
        for (int i = range(a).first; i <= range(a).last; ++i) {
            v[static_cast<size_t>(i)] = px(draw(i));
        }
    };
    fill(DepotArray::imgTime,
         [](int i) { return i <= 10 ? art::largeDigit(i) : art::colon(i == 12); });
    fill(DepotArray::imgSet, [](int i) { return art::smallDigit(i); });
    fill(DepotArray::imgFixed, [](int i) { return art::preset(i % 10, i >= 10); });
    fill(DepotArray::imgPunchUp, [](int i) { return art::keypadKey(i, false); });
    fill(DepotArray::imgPunchDn, [](int i) { return art::keypadKey(i, true); });
    fill(DepotArray::imgEach, [](int i) { return art::intervalButton(i); });
    fill(DepotArray::imgDial, [](int i) { return art::dial(i); });
    fill(DepotArray::imgHeader, [](int i) { return art::header(i == 1); });
    fill(DepotArray::imgHeaderV, [](int i) { return art::minimiseButton(i == 1); });
    fill(DepotArray::imgHeaderX, [](int i) { return art::closeButton(i == 1); });
    fill(DepotArray::imgPunch, [](int i) { return art::punchButton(i == 1); });
    fill(DepotArray::imgCenter, [](int i) { return art::centerCap(i == 1); });
    fill(DepotArray::imgTrayIcon, [](int i) { return art::trayIcon(i == 1, 32); });
    for (int s = 0; s < 2; ++s) {
        trayIcons_[static_cast<size_t>(s)] = icon(&art::trayIcon, s == 1, kTrayIconSizes);
        windowIcons_[static_cast<size_t>(s)] = icon(&art::windowIcon, s == 1, kWindowIconSizes);
    }
    background_ = px(art::background());
    correctBar_ = px(art::correctBar());
    mark_ = px(art::mark());
}

const QPixmap& FrmDepot::picture(DepotArray array, int index) const {
    if (index < range(array).first || index > range(array).last) {
        qFatal("velto: depot %s has no element %d", kNames[static_cast<size_t>(array)], index);
    }
    return arrays_[static_cast<size_t>(array)][static_cast<size_t>(index)];
}

QString FrmDepot::tag(DepotArray array, int index) const {
    if (array == DepotArray::imgTrayIcon) {
        return index == 0 ? QStringLiteral("Alarm ON") : QStringLiteral("Alarm OFF");
    }
    return {};
}

const QIcon& FrmDepot::trayIcon(int index) const {
    return trayIcons_[static_cast<size_t>(index)];
}

const QIcon& FrmDepot::windowIcon(int off) const {
    return windowIcons_[static_cast<size_t>(off)];
}

} // namespace velto
