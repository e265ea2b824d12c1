#include "art/depot.h"

#include "art/depot_art.h"
#include "platform/console.h"

#include <QCoreApplication>
#include <QIconEngine>
#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>
#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <span>
#include <type_traits>

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
constexpr int kKeptIconSize = 64;

/// An icon drawn by code at the size it is asked for (from the sizes it is drawn for), and
/// only then: a desktop asks for two or three of them, not for all.
class ArtIconEngine final : public QIconEngine {
public:
    ArtIconEngine(QImage (*draw)(bool, int), bool off, std::span<const int> sizes)
        : draw_(draw), off_(off), sizes_(sizes) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // The smallest drawn size that covers the request, scaled down if it is not exact.
        int drawn = sizes_.back();
        for (int s : sizes_) {
            if (s >= std::max(size.width(), size.height())) {
                drawn = s;
                break;
            }
        }
        // The large sizes are wanted only when the window icon changes; they are not kept.
        QPixmap picture;
        if (drawn > kKeptIconSize) {
            picture = px(draw_(off_, drawn));
        } else {
            QPixmap& cached = cache_[drawn];
            if (cached.isNull()) {
                cached = px(draw_(off_, drawn));
            }
            picture = cached;
        }
        if (picture.size() == size) {
            return picture;
        }
        return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // On a scaled screen the icon is asked for its device pixels (36 for a 24-pixel tray
        // icon at 1.5x), not enlarged from a drawing of its logical size.
        const qreal dpr = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1;
        if (dpr == 1) {
            painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
            return;
        }
        QPixmap picture = pixmap((QSizeF(rect.size()) * dpr).toSize(), mode, state);
        picture.setDevicePixelRatio(dpr);
        painter->drawPixmap(QRectF(rect), picture, QRectF(picture.rect()));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> list;
        for (int s : sizes_) {
            list.append(QSize(s, s));
        }
        return list;
    }
    QIconEngine* clone() const override { return new ArtIconEngine(*this); }

private:
    QImage (*draw_)(bool, int);
    bool off_;
    std::span<const int> sizes_;
    std::map<int, QPixmap> cache_;
};

/// The picture of element `index` of `array` at scale k, drawn afresh.
QImage draw(DepotArray array, int i, double k, const DialNumbers& numbers) {
    const auto interval = [&numbers](int index) {
        return numbers.announceIntervals.at(static_cast<size_t>(index));
    };
    switch (array) {
    case DepotArray::imgTime:
        return i <= kBlankDigit ? art::largeDigit(i, k) : art::colon(i == kLitColon, k);
    case DepotArray::imgSet:
        return art::smallDigit(i, k);
    case DepotArray::imgFixed:
        return art::preset(i % 10, numbers.presetMinutes.at(static_cast<size_t>(i % 10)),
                           i >= kHighlighted, k);
    case DepotArray::imgPunchUp:
        return art::keypadKey(i, false, k);
    case DepotArray::imgPunchDn:
        return art::keypadKey(i, true, k);
    case DepotArray::imgEach:
        return art::intervalButton(interval(i), k);
    case DepotArray::imgDial:
        return art::dial(numbers.litMarks.at(static_cast<size_t>(i)), k);
    case DepotArray::imgHeader:
        return art::header(i == 1, k);
    case DepotArray::imgHeaderV:
        return art::minimiseButton(i == 1, k);
    case DepotArray::imgHeaderX:
        return art::closeButton(i == 1, k);
    case DepotArray::imgPunch:
        return art::punchButton(i == 1, k);
    case DepotArray::imgCenter:
        return art::centerCap(i == 1, k);
    case DepotArray::imgTrayIcon: {
        const int size = static_cast<int>(std::lround(32 * k));
        QImage icon = art::trayIcon(i == 1, size);
        icon.setDevicePixelRatio(size / 32.0);
        return icon;
    }
    }
    return {};
}

/// Draws `picture` with `draw` at scale k unless it is drawn already, and counts it. An image
/// stays the art's own (shared, no copy); a pixmap is made of it.
template <typename Picture>
const Picture& drawn(Picture& picture, QImage (*draw)(double), double k, int& count) {
    if (picture.isNull()) {
        if constexpr (std::is_same_v<Picture, QImage>) {
            picture = draw(k);
        } else {
            picture = px(draw(k));
        }
        ++count;
    }
    return picture;
}

struct Span {
    DepotArray array;
    int first;
    int last;
};

/// What the main window shows when it first maps: the look it is made with, the alarm off. The
/// time's digits and the announcer's dial follow once it is on the screen.
constexpr std::array kFirstFrame{
    Span{DepotArray::imgHeader, 1, 1},  Span{DepotArray::imgHeaderV, 0, 0},
    Span{DepotArray::imgHeaderX, 0, 0}, Span{DepotArray::imgPunchUp, 1, 12},
    Span{DepotArray::imgTime, 10, 12},  Span{DepotArray::imgSet, 10, 10},
    Span{DepotArray::imgDial, 0, 0},    Span{DepotArray::imgFixed, 0, 9},
    Span{DepotArray::imgPunch, 0, 0},   Span{DepotArray::imgEach, 0, 0},
    Span{DepotArray::imgEach, 2, 2},    Span{DepotArray::imgCenter, 1, 1},
};

/// The pictures of their own, drawn ahead before the depot's elements.
constexpr std::array kSingles{&art::background, &art::correctBar, &art::mark};

} // namespace

int Depot::first(DepotArray array) {
    return range(array).first;
}
int Depot::last(DepotArray array) {
    return range(array).last;
}

/// What the two threads share while the first frame is drawn.
struct ArtAhead::Work {
    double scale;
    DialNumbers numbers;
    /// The depot elements drawn, after the background, the correction bar and the mark.
    std::vector<std::pair<DepotArray, int>> elements;
    std::vector<QImage> images; // one per picture, each written by the thread that took it
    std::atomic<size_t> next = 0;
    QSemaphore drawn; // one for each picture drawn, whichever thread drew it

    /// Draws the pictures no thread has taken yet, on the thread that calls it.
    void drawLeft() {
        for (size_t j = next++; j < images.size(); j = next++) {
            if (j < kSingles.size()) {
                images[j] = kSingles[j](scale);
            } else {
                const auto& [array, index] = elements[j - kSingles.size()];
                images[j] = draw(array, index, scale, numbers);
            }
            drawn.release();
        }
    }
};

ArtAhead::ArtAhead(double scale, const DialNumbers& numbers) : work_(std::make_shared<Work>()) {
    work_->scale = std::max(1.0, scale);
    work_->numbers = numbers;
    for (const Span& span : kFirstFrame) {
        for (int i = span.first; i <= span.last; ++i) {
            work_->elements.emplace_back(span.array, i);
        }
    }
    work_->images.resize(kSingles.size() + work_->elements.size());
    // On a thread of Qt's own pool: Qt splits a large fill (the dial's face) across that pool
    // unless it runs there already, and with both cores busy at start-up the split fill took
    // several times as long as the whole one. The thread holds the work, not this: one that
    // comes late finds nothing left to draw, and one that never comes (no thread to be had,
    // which Qt says) leaves it all to finish().
    if (!QThreadPool::globalInstance()->tryStart([work = work_] { work->drawLeft(); })) {
        qCWarning(lcArt, "drawing the pictures on one thread only (no thread free)");
    }
}

ArtAhead::~ArtAhead() {
    // Not taken (a second start ends at once): what is left stays undrawn.
    work_->next = work_->images.size();
}

ArtAhead::Work& ArtAhead::finish() {
    work_->drawLeft();
    work_->drawn.acquire(static_cast<int>(work_->images.size()));
    return *work_;
}

Depot::Depot(const DialNumbers& numbers, ArtAhead* ahead) : numbers_(numbers) {
    // Each element is drawn when it is first shown: start-up draws only what the window
    // shows at first, and a picture never shown is never drawn.
    for (int a = 0; a < kDepotArrayCount; ++a) {
        arrays_[static_cast<size_t>(a)].resize(
            static_cast<size_t>(range(static_cast<DepotArray>(a)).last) + 1);
    }
    if (ahead != nullptr) {
        ArtAhead::Work& work = ahead->finish();
        std::vector<QImage>& images = work.images;
        background_ = std::move(images[0]);
        correctBar_ = QPixmap::fromImage(std::move(images[1]));
        mark_ = QPixmap::fromImage(std::move(images[2]));
        for (size_t j = 0; j < work.elements.size(); ++j) {
            const auto& [array, index] = work.elements[j];
            arrays_[static_cast<size_t>(array)][static_cast<size_t>(index)] =
                QPixmap::fromImage(std::move(images[kSingles.size() + j]));
        }
        scale_ = work.scale;
    }
    for (int s = 0; s < 2; ++s) {
        trayIcons_[static_cast<size_t>(s)] =
            QIcon(new ArtIconEngine(&art::trayIcon, s == 1, kTrayIconSizes));
        windowIcons_[static_cast<size_t>(s)] =
            QIcon(new ArtIconEngine(&art::windowIcon, s == 1, kWindowIconSizes));
    }
}

bool Depot::setScale(double scale) {
    scale = std::max(1.0, scale);
    if (scale == scale_) {
        return false;
    }
    scale_ = scale;
    for (auto& array : arrays_) {
        std::fill(array.begin(), array.end(), QPixmap());
    }
    background_ = QImage();
    correctBar_ = mark_ = QPixmap();
    return true;
}

const QImage& Depot::background() {
    return drawn(background_, &art::background, scale_, drawnHere_);
}
const QPixmap& Depot::correctBar() {
    return drawn(correctBar_, &art::correctBar, scale_, drawnHere_);
}
const QPixmap& Depot::mark() {
    return drawn(mark_, &art::mark, scale_, drawnHere_);
}

const QPixmap& Depot::picture(DepotArray array, int index) {
    if (index < range(array).first || index > range(array).last) {
        qFatal("velto: depot %s has no element %d", kNames[static_cast<size_t>(array)], index);
    }
    QPixmap& picture = arrays_[static_cast<size_t>(array)][static_cast<size_t>(index)];
    if (picture.isNull()) {
        picture = px(draw(array, index, scale_, numbers_));
        ++drawnHere_;
    }
    return picture;
}

void Depot::drawAhead(DepotArray array) {
    for (int i = range(array).first; i <= range(array).last; ++i) {
        (void)picture(array, i);
    }
}

QString Depot::tag(DepotArray array, int index) const {
    if (array == DepotArray::imgTrayIcon) {
        // Said by the desktop in its own font (the icon's tip, the menu), so in the user's
        // language.
        return index == 0 ? QCoreApplication::translate("velto::Depot", "Alarm ON")
                          : QCoreApplication::translate("velto::Depot", "Alarm OFF");
    }
    return {};
}

const QIcon& Depot::trayIcon(int index) const {
    return trayIcons_[static_cast<size_t>(index)];
}

const QIcon& Depot::windowIcon(int off) const {
    return windowIcons_[static_cast<size_t>(off)];
}

} // namespace velto
