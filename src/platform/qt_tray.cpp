#include "platform/qt_tray.h"

#include "platform/qt_platform.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace velto {

QtTray::QtTray() {
    lookAgain_.setInterval(kLookAgainMs);
    connect(&lookAgain_, &QTimer::timeout, this, &QtTray::lookForArea);
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, &QtTray::watchArea);
    grace_.setSingleShot(true);
    grace_.setInterval(kGraceMs);
    connect(&grace_, &QTimer::timeout, this, [this] {
        if (!QSystemTrayIcon::isSystemTrayAvailable() && onAreaStillMissing_) {
            onAreaStillMissing_();
        }
    });
}

QtTray::~QtTray() {
    // The menu goes first: the icon must not point at a deleted menu when it is taken down.
    if (icon_) {
        icon_->setContextMenu(nullptr);
    }
}

QSystemTrayIcon& QtTray::icon() {
    // Made when first wanted, not with the program: finding the desktop's tray protocol
    // (a session bus to ask, perhaps to be started) is no reason to keep the window waiting.
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        // The menu too: its captions need the desktop's fonts, which take a while to find.
        menu_ = std::make_unique<QMenu>();
        buildMenu();
        connect(menu_.get(), &QMenu::aboutToShow, this, &QtTray::refreshChecks);
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
    }
    return *icon_;
}

bool QtTray::add(const QIcon& picture, const QString& tip) {
    QSystemTrayIcon& tray = icon();
    tray.setIcon(picture);
    tray.setToolTip(tip);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!lookAgain_.isActive()) {
            lookAgain_.start();
            grace_.start();
        }
        return false;
    }
    lookAgain_.stop();
    grace_.stop();
    tray.show();
    watch_.start();
    return true;
}

bool QtTray::modify(const QIcon& picture, const QString& tip) {
    QSystemTrayIcon& tray = icon();
    tray.setIcon(picture);
    tray.setToolTip(tip);
    return tray.isVisible();
}

void QtTray::remove() {
    lookAgain_.stop();
    grace_.stop();
    watch_.stop();
    if (icon_) {
        icon_->hide();
    }
}

bool QtTray::visible() const {
    return icon_ && icon_->isVisible();
}

void QtTray::setMenu(std::vector<TrayMenuItem> items) {
    items_ = std::move(items);
    if (menu_) {
        buildMenu();
    }
}

void QtTray::buildMenu() {
    menu_->clear();
    for (const TrayMenuItem& item : items_) {
        if (item.caption.isEmpty()) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(item.caption);
        if (item.onChosen) {
            connect(action, &QAction::triggered, this, [chosen = item.onChosen] { chosen(); });
        }
        action->setCheckable(static_cast<bool>(item.checked));
        if (item.isDefault) {
            // Bold by the font as well: not every style draws the default action bold.
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu_->setDefaultAction(action);
        }
    }
}

void QtTray::refreshChecks() {
    const QList<QAction*> actions = menu_->actions();
    for (size_t i = 0; i < items_.size() && i < static_cast<size_t>(actions.size()); ++i) {
        if (items_[i].checked) {
            actions[static_cast<qsizetype>(i)]->setChecked(items_[i].checked());
        }
    }
}

void QtTray::setMenuCaption(int index, const QString& caption) {
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        return;
    }
    items_[static_cast<size_t>(index)].caption = caption;
    if (menu_) {
        menu_->actions()[index]->setText(caption);
    }
}

void QtTray::onClick(std::function<void(TrayClick)> handler) {
    onClick_ = std::move(handler);
}

void QtTray::onAreaAppeared(std::function<void()> handler) {
    onAreaAppeared_ = std::move(handler);
}

void QtTray::onAreaStillMissing(std::function<void()> handler) {
    onAreaStillMissing_ = std::move(handler);
}

void QtTray::onAreaGone(std::function<void()> handler) {
    onAreaGone_ = std::move(handler);
}

void QtTray::prepareMenu() {
    // Left to the first right click, the style's polish, the fonts of the captions (the
    // default entry's bold one too), their glyphs and the pop-up's window made the menu take
    // seconds to open on a busy machine. A paint into a scratch picture does it all unseen.
    (void)icon();
    menu_->ensurePolished();
    menu_->adjustSize();
    QPixmap scratch(menu_->size());
    menu_->render(&scratch);
    if (!onWayland()) {
        // On Wayland a pop-up's surface gets its place only when shown, beside its parent.
        (void)menu_->winId();
    }
}

void QtTray::showMessage(const QString& title, const QString& body) {
    if (visible()) {
        icon_->showMessage(title, body);
    }
}

void QtTray::watchArea() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    // Hidden, so that showing it again in the next area registers it there anew.
    watch_.stop();
    icon_->hide();
    lookAgain_.start();
    if (onAreaGone_) {
        onAreaGone_();
    }
}

void QtTray::lookForArea() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    lookAgain_.stop();
    grace_.stop();
    if (onAreaAppeared_) {
        onAreaAppeared_();
    }
}

} // namespace velto
