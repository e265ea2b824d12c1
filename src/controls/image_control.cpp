#include "controls/image_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstring>

namespace velto {

ImageControl::ImageControl(QWidget* parent, const QString& name, int index)
    : QWidget(parent), index_(index) {
    setObjectName(index >= 0 ? QStringLiteral("%1(%2)").arg(name).arg(index) : name);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
}

ImageControl* ImageControl::placed(QWidget* parent, const QString& name, int index, QRect r) {
    auto* c = new ImageControl(parent, name, index);
    c->resize(r.size());
    c->setPosition(r.left(), r.top());
    return c;
}

void ImageControl::setPicture(const QPixmap& picture, PictureRef ref) {
    // The same picture again (a digit that stays, a highlight the pointer is still over)
    // repaints nothing.
    if (ref == ref_ && picture.cacheKey() == pixmap_.cacheKey()) {
        return;
    }
    pixmap_ = picture; // implicitly shared: the depot's picture, not a copy of its pixels
    ref_ = ref;
    update();
}

void ImageControl::setPosition(double left, double top) {
    left_ = left;
    top_ = top;
    move(static_cast<int>(std::nearbyint(left)), static_cast<int>(std::nearbyint(top)));
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) {
        return;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, pixmap_);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    pressed_ |= event->button();
    emit mouseDown(event->button(), event->position().toPoint());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const QPoint pos = event->position().toPoint();
    emit mouseUp(event->button(), pos);
    if (!(pressed_ & event->button())) {
        return;
    }
    pressed_ &= ~event->button();
    // Slid off before the release: no click, as with any button on the desktop.
    if (rect().contains(pos)) {
        emit buttonClicked(event->button());
        if (event->button() == Qt::LeftButton) {
            emit clicked();
        }
    }
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is a second press: it counts as one more click, as a user expects of
    // a button clicked twice quickly.
    mousePressEvent(event);
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMove(event->buttons(), event->position().toPoint());
}

PictureBox::PictureBox(QWidget* parent, const QString& name, QSize size)
    : ImageControl(parent, name), surface_(size, QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent); // the surface covers every pixel
    resize(size);
    surface_.fill(Qt::black);
}

void PictureBox::setDial(const QPixmap& picture, PictureRef ref) {
    ImageControl::setPicture(picture, ref);
    dial_ = picture.toImage().convertToFormat(QImage::Format_RGB32);
    if (dial_.devicePixelRatio() != surface_.devicePixelRatio()) {
        // Another scale: the surface becomes the dial's device pixels, once, here.
        surface_ = QImage(dial_.size(), QImage::Format_RGB32);
        surface_.setDevicePixelRatio(dial_.devicePixelRatio());
    }
    cls();
    update();
}

void PictureBox::cls() {
    if (dial_.size() == surface_.size()) {
        // Same size and format: copy the pixels into the surface we already have, so the
        // redraw once a second allocates nothing.
        std::memcpy(surface_.bits(), dial_.constBits(), static_cast<size_t>(dial_.sizeInBytes()));
    } else {
        surface_.fill(Qt::black);
        QPainter p(&surface_);
        p.drawImage(0, 0, dial_);
    }
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, surface_);
}

} // namespace velto
