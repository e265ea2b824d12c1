#pragma once
// Where the keyboard is on a window made of pictures. The pictures have no focus look of
// their own, so a frame is drawn around the control that has the focus, and only while the
// keyboard moves the focus: the window looks exactly as before for a user of the mouse.

#include <QFocusFrame>
#include <QHash>
#include <QPointer>

namespace velto {

class FocusFrame final : public QFocusFrame {
    Q_OBJECT
public:
    /// A frame over the controls of `window` (it lies above them, and takes no mouse).
    explicit FocusFrame(QWidget& window);

    /// `control` shows the frame when the keyboard brings the focus to it. With `upTo`, the
    /// frame goes round both, for a control drawn as several pictures side by side.
    void track(QWidget& control, QWidget* upTo = nullptr);
    /// A mouse press on `widget` puts the frame away until the keyboard moves the focus again.
    void watchMouse(QWidget& widget);

    /// The control the frame is round now; null while it is not shown.
    [[nodiscard]] QWidget* framed() const { return isVisible() ? control_.data() : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    /// Puts the frame round `control` when the keyboard is in use, or away.
    void follow(QWidget* control);
    void place();

    QWidget& window_;
    QHash<const QWidget*, QWidget*> upTo_;
    QPointer<QWidget> control_;
    bool keyboard_ = false;
};

} // namespace velto
