#include "platform/qt_tray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace velto {

QtTray::QtTray() : icon_(std::make_unique<QSystemTrayIcon>()), menu_(std::make_unique<QMenu>()) {
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (!onClick_) {
                    return;
                }
                if (reason == QSystemTrayIcon::Trigger) {
                    onClick_(TrayClick::Single);
                } else if (reason == QSystemTrayIcon::DoubleClick) {
                    onClick_(TrayClick::Double);
                }
            });
    lookAgain_.setInterval(kLookAgainMs);
    connect(&lookAgain_, &QTimer::timeout, this, &QtTray::lookForArea);
}

QtTray::~QtTray() {
    // The menu goes first: the icon must not point at a deleted menu when it is taken down.
    icon_->setContextMenu(nullptr);
}

bool QtTray::add(const QIcon& icon, const QString& tip) {
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        lookAgain_.start();
        return false;
    }
    lookAgain_.stop();
    icon_->show();
    return true;
}

bool QtTray::modify(const QIcon& icon, const QString& tip) {
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    return icon_->isVisible();
}

void QtTray::remove() {
    lookAgain_.stop();
    icon_->hide();
}

bool QtTray::visible() const {
    return icon_->isVisible();
}

void QtTray::setMenu(std::vector<TrayMenuItem> items) {
    menu_->clear();
    items_ = std::move(items);
    for (const TrayMenuItem& item : items_) {
        if (item.caption.isEmpty()) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(item.caption);
        if (item.onChosen) {
            connect(action, &QAction::triggered, this, [chosen = item.onChosen] { chosen(); });
        }
        if (item.isDefault) {
            // Bold by the font as well: not every style draws the default action bold.
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu_->setDefaultAction(action);
        }
    }
}

void QtTray::setMenuCaption(int index, const QString& caption) {
    const QList<QAction*> actions = menu_->actions();
    if (index >= 0 && index < actions.size()) {
        actions[index]->setText(caption);
    }
}

void QtTray::onClick(std::function<void(TrayClick)> handler) {
    onClick_ = std::move(handler);
}

void QtTray::onAreaAppeared(std::function<void()> handler) {
    onAreaAppeared_ = std::move(handler);
}

void QtTray::lookForArea() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    lookAgain_.stop();
    if (onAreaAppeared_) {
        onAreaAppeared_();
    }
}

} // namespace velto
