#pragma once
// What a picture control says about itself: the tooltip a user sees, and for a screen reader
// its name, its role and the value it shows. The pictures carry no text, so each control is
// described in words once, and the words for the value are asked for when they are needed.

#include <QAccessible>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace velto {

class ImageControl;

struct ControlInfo {
    /// What a screen reader calls the control; it does not change.
    QString name;
    QAccessible::Role role = QAccessible::Button;
    /// The value the control shows now, in words; none for a control without one.
    std::function<QString()> value = {};
    /// The tooltip, asked for each time it is about to show; none for no tooltip.
    std::function<QString()> tip = {};
    /// Part of a control described on another picture (one digit of a read-out): it keeps
    /// its tooltip, and a screen reader passes over it.
    bool part = false;

    /// Where a slider stands on its scale, and what setting it from a screen reader does.
    struct Scale {
        int minimum = 0;
        int maximum = 0;
        std::function<int()> current;
        /// Called with a value within the scale; the control follows the state it changes.
        std::function<void(int)> set;
    };
    /// A control that stands on a scale; screen readers can read and set it as a number.
    std::optional<Scale> scale = {};
};

/// Describes `control`; a later call replaces the description.
void describeControl(ImageControl& control, ControlInfo info);

/// Gives a window the role a screen reader announces it by (a frame, an alert). To be called
/// in its constructor, before Qt's accessibility first asks about it.
void describeWindow(QWidget& window, QAccessible::Role role);

/// Tells screen readers that the alert `window` has just come up, to be read out at once.
void announceAlert(QWidget& window);

/// Presses `control` as a left click on it does: mouseDown, mouseUp, buttonClicked and
/// clicked, in that order, so a key runs exactly what the click runs.
void pressControl(ImageControl& control);

/// The described controls under `root` whose value changed since the last call (all of them
/// the first time); from now on they count as told.
QList<QObject*> takeChangedValues(const QWidget& root);
/// Tells screen readers of every described value under `root` that changed since they were
/// last told. Does nothing, and computes nothing, while no screen reader listens.
void announceChanges(const QWidget& root);

/// Makes Qt's accessibility ask the descriptions. Harmless repeated; to be called before the
/// controls are first shown, for Qt keeps what it made for a control then.
void installControlAccessibility();

/// Has Qt reach the desktop's accessibility bus now. The first control shown would do it
/// otherwise, and wait for the bus with nothing else to do meanwhile.
void connectScreenReaderBridge();

} // namespace velto
