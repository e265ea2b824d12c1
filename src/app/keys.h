#pragma once
// The main window without the mouse: every control in a tab order with a frame that shows
// where the keyboard is, and the keys a user tries, each doing what its click does.

#include "core/context.h"

#include <QObject>
#include <functional>
#include <vector>

class QKeyEvent;

namespace velto {

class FocusFrame;

class MainKeys final : public QObject {
    Q_OBJECT
public:
    /// Takes the keys of `c.main` (the hot spots must have been placed); `exit` ends the
    /// program as the tray's Exit does. A child of the main window, it goes with it.
    MainKeys(const Ctx& c, std::function<void()> exit);

    /// The controls in the order Tab visits them (the bars only while they are shown).
    [[nodiscard]] const std::vector<ImageControl*>& tabOrder() const { return order_; }
    [[nodiscard]] FocusFrame& frame() const { return *frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Acts on a key that no control took; false when it means nothing here.
    bool key(const QKeyEvent& event);
    /// Space or Return: the framed control as if clicked. False when none is framed.
    bool pressFramed();
    /// Moves the focus on (or back) as Tab does.
    void tab(bool forward);

    Ctx c_;
    std::function<void()> exit_;
    FocusFrame* frame_;
    std::vector<ImageControl*> order_;
    bool announcePending_ = false;
};

} // namespace velto
