#pragma once
// What the user chose, kept between runs: the window's place, the announcer, an armed
// alarm with its label, and the ring's choices. Read once at start, written whenever one of them
// changes. The punch clock is kept by the punch log; a punch-in kept here by an earlier version is
// read once and handed over.

#include "model/clock_model.h"
#include "platform/seams.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <QVariantMap>
#include <functional>
#include <optional>

class QWidget;

namespace velto {

class KeptSettings final : public QObject {
    Q_OBJECT
public:
    /// An alarm that came due while the clock was not running rings at start if it is no
    /// older than this; an older one stays off.
    static constexpr std::chrono::hours kStillWorthRinging{1};

    KeptSettings(ClockModel& model, SettingsStore& store, const Desktop& desktop, QWidget& window);

    /// Reads the store and puts the window where it was, inside a screen that is there now.
    /// Call once, before the window first shows.
    void restoreWindow();
    /// Brings back the announcer, the alarm and the punch clock, and from then on keeps
    /// every change. Call once, after the model's first reading and the program's defaults.
    void restoreClock();

    /// Told of an alarm that came due too long ago to ring.
    std::function<void(Instant due)> onPassedWhileAway;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QVariantMap values() const;
    void save();

    ClockModel& model_;
    SettingsStore& store_;
    const Desktop& desktop_;
    std::optional<QPoint> keptPlace_; // as read at start
    QWidget& window_;
    QVariantMap kept_;  // as read at start
    QVariantMap saved_; // as written last
    QTimer moved_;      // a drag moves the window many times: written once it rests
    bool restored_ = false;
    bool placed_ = false;  // the window was placed by the window manager or moved since
    bool unsaved_ = false; // the last save failed
};

} // namespace velto
