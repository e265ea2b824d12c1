#pragma once
// The main window: borderless, 385x195, its background with the title band, every control at
// its place, and what they show. It draws the model as the model says it changed, and turns
// clicks and keys into the model's actions; its controls are its own. Where the window goes
// when the user minimises or closes it is WindowPresence's to decide.

#include "art/depot.h"
#include "controls/image_control.h"
#include "model/clock_model.h"
#include "platform/seams.h"
#include "views/face.h"
#include "views/readout.h"

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

namespace velto {

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    /// Builds the window with every control at its place and its first picture; it shows the
    /// model once start() is called. `desktop` moves it.
    MainWindow(ClockModel& model, Depot& depot, Desktop& desktop);

    /// Once the window is shown: the face's geometry and hands, the hot spots, the words for
    /// the screen reader, the keyboard, and from now on every change of the model.
    void start();

    /// Closes the window by program: closeAsked() first, as for the user's close command,
    /// then unloaded().
    void unload();

    /// Shows every picture drawn for `scale` device pixels to the pixel (the screen's), if
    /// they are not drawn for it yet; each control keeps its depot element. The window calls
    /// it itself when it comes onto a screen of another scale. Returns whether the scale was
    /// another.
    bool setScale(double scale);

    /// Back to the bare dial, then the hands of the model's reading.
    void redrawHands();
    /// Where the hands run now.
    [[nodiscard]] const FaceGeometry& faceGeometry() const { return geometry_; }
    /// Whether the window has been painted yet (see firstPainted()).
    [[nodiscard]] bool painted() const { return painted_; }
    /// The mark dragged over the bare dial at `pos` (face coordinates): the alarm goes to the
    /// minute the pointer points at, unless that jumps across 12 o'clock.
    void dragMarkOver(QPointF pos);

signals:
    /// The user asked to end the program (the close button, Ctrl+Q).
    void exitRequested();
    /// Escape with no control to take it.
    void escapePressed();
    /// L: the punch log.
    void punchLogRequested();
    /// The minimise button was clicked.
    void minimiseClicked();
    /// The user's close command (Alt+F4, the taskbar, the window menu), which leaves the
    /// window open, or an unload.
    void closeAsked();
    /// The window was unloaded.
    void unloaded();
    /// The window has been painted for the first time.
    void firstPainted();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// How a header button looks.
    enum class Look { Normal, Highlighted };

    void build();
    void wire();
    void observe();
    /// Words for every control: its tooltip and what a screen reader says of it.
    void describe();

    // What the model says.
    void showTick(bool fullMinute);
    void showAlarmState();
    /// The application's icon for the alarm's state, from the window's first frame on.
    void showWindowIcon();
    /// The alarm's time while armed, else a blank read-out.
    void showAlarmTime();
    void showCountdown();
    void showEdit();
    void showEditColon();
    void showPunch();
    void showKeys(int released, int pressed);
    void showAnnounceInterval();

    // The chrome of a borderless window.
    /// The close and minimise buttons lit while the pointer is over them; a picture is
    /// assigned only when a button's look changes.
    void hoverHeader(bool overClose, bool overMinimise);
    void setLook(ImageControl& button, Look& look, Look wanted);
    /// The pointer over preset `k` (none: over no preset): it alone is highlighted.
    void hoverPreset(std::optional<int> k);
    /// A correction bar sinks while the button is held on it and comes back on release.
    void pressBar(int k, bool down);
    /// The system's own move of the window, unless it is maximised.
    void drag();

    ClockModel& model_;
    Depot& depot_;
    Desktop& desktop_;

    // The controls, each named by its element of the layout.
    ImageControl* alarmSwitch_ = nullptr;     // imgHeader
    ImageControl* closeButton_ = nullptr;     // imgHeaderX
    ImageControl* minimiseButton_ = nullptr;  // imgHeaderV
    std::array<ImageControl*, 13> keys_{};    // imgPunchUp 1..12; element 0 does not exist
    std::optional<Readout> time_;             // imgTime
    std::optional<Readout> alarm_;            // imgAlarm
    std::array<ImageControl*, 4> bars_{};     // imgCorrect
    PictureBox* face_ = nullptr;              // picClock
    std::optional<Readout> countdown_;        // imgSet 0, 1 on the face
    std::optional<Readout> punchCount_;       // imgSet 2..4 on the face
    std::optional<Readout> seconds_;          // imgSet 5, 6
    std::array<ImageControl*, 10> presets_{}; // imgFixed
    ImageControl* punchButton_ = nullptr;     // imgPunch
    ImageControl* announcer_ = nullptr;       // imgEach
    ImageControl* faceSwitch_ = nullptr;      // imgCenter
    ImageControl* mark_ = nullptr;            // imgMark
    std::vector<ImageControl*> hotSpots_;     // imgHotSpot 0..11

    Look closeLook_ = Look::Normal;
    Look minimiseLook_ = Look::Normal;
    FaceGeometry geometry_;
    bool started_ = false; // the face has its geometry and the model a reading
    double barTop_ = 0;
    bool closingByProgram_ = false;
    // Where the left button went down on the bare background, while it is held there and
    // the window has not been handed to the system to move yet.
    std::optional<QPoint> pressedAt_;
    bool painted_ = false;
    bool iconDue_ = false; // the window icon may be set: the first frame is out, or late
    int iconLook_ = -1;    // the window icon's look, -1 before the first
    static constexpr int kIconLatestMs = 1000;
    bool followsScreen_ = false; // the window's screen changes come through its own signal
};

} // namespace velto
