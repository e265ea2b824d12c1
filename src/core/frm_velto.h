#pragma once
// frmVelto, the main window: borderless, 385x195, its background with the title band, and
// every control at its place with its first picture. It knows nothing of behaviour: it
// reports the mouse on its bare background and the close command, and the program wires
// the rest.

#include "assets/depot.h"
#include "platform/image_control.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace velto {

/// Why the window is being unloaded.
enum class UnloadMode : int {
    CloseCommand = 0, // the system's close command (Alt+F4, taskbar, window menu)
    Program = 1,      // the program unloads it
};

class FrmVelto final : public QWidget {
    Q_OBJECT
public:
    explicit FrmVelto(const FrmDepot& depot);

    ImageControl* imgHeader;
    ImageControl* imgHeaderX;
    ImageControl* imgHeaderV;
    std::array<ImageControl*, 13> imgPunchUp{}; // 1..12; element 0 does not exist
    std::array<ImageControl*, 5> imgTime{};
    std::array<ImageControl*, 4> imgCorrect{};
    std::array<ImageControl*, 5> imgAlarm{};
    std::array<ImageControl*, 7> imgSet{}; // 0..4 on the clock face, 5 and 6 on the window
    PictureBox* picClock;
    std::array<ImageControl*, 10> imgFixed{};
    ImageControl* imgPunch;
    ImageControl* imgEach;
    ImageControl* imgCenter;
    ImageControl* imgMark;
    std::vector<ImageControl*> imgHotSpot; // element 0 from the start; 1..11 added later

    /// Adds element `index` of imgHotSpot as a copy of element 0 and shows it.
    ImageControl* addHotSpot(int index);

    /// Asked before the window closes; returns true to cancel the unload.
    std::function<bool(UnloadMode)> onQueryUnload;
    /// Runs when an unload was not cancelled.
    std::function<void()> onUnload;
    /// Unloads the window by program (mode Program).
    void unload();

    /// Brings the window back: restored when minimised, shown when hidden, raised.
    void bringBack();
    /// Shows the window in the state it has (minimised stays minimised), where it was when
    /// it was hidden.
    void showAgain();
    /// Minimises the window and hides it.
    void minimiseAndHide();

    /// Shows every picture drawn for `scale` device pixels to the pixel (the screen's), if
    /// they are not drawn for it yet; each control keeps its depot element. The window calls
    /// it itself when it comes onto a screen of another scale. The face is bare afterwards
    /// until handsWanted is answered. Returns whether the scale was another.
    bool setScale(double scale);

signals:
    void backgroundMouseDown(Qt::MouseButton button, QPoint pos);
    void backgroundMouseMove(Qt::MouseButtons buttons, QPoint pos);
    /// The pointer left the window (from any control on it), or the window was hidden.
    void pointerGone();
    /// The window has been painted for the first time.
    void firstPainted();
    /// The face wants its hands drawn: it shows the bare dial after a change of scale, or
    /// the window is shown again and the tick left the hands of the hidden window alone.
    void handsWanted();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// Tells the window system to map the hidden window where it was when it was hidden.
    void placeWhereLeft();

    const FrmDepot& depot_;
    UnloadMode pendingMode_ = UnloadMode::CloseCommand;
    std::optional<QPoint> hiddenAt_; // where the window was when it was last hidden
    bool painted_ = false;
};

} // namespace velto
