#pragma once
// The two kinds of control the windows are made of: an image control that shows one picture
// of the depot, and the picture box of the clock face, which also has a pixel surface that
// the hands are drawn on.

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace velto {

/// Which depot element a control shows: array and index. The arrays are numbered by the
/// depot; -1 means no picture.
struct PictureRef {
    int array = -1;
    int index = -1;
    friend bool operator==(const PictureRef&, const PictureRef&) = default;
};

/// An image control: shows a shared picture at its top-left corner and
/// reports the mouse over it. It takes every mouse event it gets, so nothing it receives
/// reaches the window behind it.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent, const QString& name, int index = -1);
    /// A control of `parent` with the size and place of `r`.
    static ImageControl* placed(QWidget* parent, const QString& name, int index, QRect r);

    /// Shows `picture` and remembers that it is depot element `ref`. Repaints at once.
    void setPicture(const QPixmap& picture, PictureRef ref);
    [[nodiscard]] PictureRef picture() const { return ref_; }
    [[nodiscard]] const QPixmap& pixmap() const { return pixmap_; }

    /// Position in the parent; fractional values are kept as given and the widget sits at
    /// the nearest pixel.
    void setPosition(double left, double top);
    [[nodiscard]] double left() const { return left_; }
    [[nodiscard]] double top() const { return top_; }

    [[nodiscard]] int index() const { return index_; }

signals:
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);
    void mouseMove(Qt::MouseButtons buttons, QPoint pos);
    /// A press and release of `button` on the control, the release still over it.
    void buttonClicked(Qt::MouseButton button);
    /// The same for the left button.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
    PictureRef ref_;
    double left_ = 0;
    double top_ = 0;
    int index_;
    Qt::MouseButtons pressed_; // pressed on this control and not yet released
};

/// The clock face: a picture box whose picture is the dial and whose surface is a 32-bit
/// image the size of the box. cls() brings the surface back to the bare dial; the hands are
/// then drawn into surface() pixel by pixel, and update() shows the result. A dial drawn for a
/// scaled screen gives the surface its device pixels: scale() of them to each pixel of the box.
class PictureBox : public ImageControl {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QString& name, QSize size);

    /// Sets the dial and clears the surface to it; the surface takes the dial's size in device
    /// pixels and its scale.
    void setDial(const QPixmap& picture, PictureRef ref);
    /// Back to the bare dial; what of it goes to the screen is the caller's update().
    void cls();
    QImage& surface() { return surface_; }
    [[nodiscard]] const QImage& surface() const { return surface_; }
    /// Surface pixels to a pixel of the box along each side.
    [[nodiscard]] double scale() const { return surface_.devicePixelRatio(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage dial_;
    QImage surface_;
};

} // namespace velto
