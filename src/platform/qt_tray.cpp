#include "platform/qt_tray.h"

#include "platform/process.h"
#include "platform/tray_area.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <utility>

namespace velto {

QtTray::QtTray() {
    lookAgain_.setInterval(kLookAgainMs);
    connect(&lookAgain_, &QTimer::timeout, this, &QtTray::lookForArea);
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, &QtTray::watchArea);
    grace_.setSingleShot(true);
    grace_.setInterval(kGraceMs);
    connect(&grace_, &QTimer::timeout, this, [this] {
        if (!areaSeen_ && onAreaStillMissing_) {
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

QMenu& QtTray::menu() {
    // Made when first wanted: its captions need the desktop's fonts, which take a while to
    // find.
    if (!menu_) {
        menu_ = std::make_unique<QMenu>();
        buildMenu();
        connect(menu_.get(), &QMenu::aboutToShow, this, &QtTray::refreshChecks);
    }
    return *menu_;
}

QSystemTrayIcon& QtTray::icon() {
    // Made once a notification area has answered, not with the program: Qt picks the tray
    // protocol when the icon is made, asking the desktop and waiting for its answer.
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>(picture_);
        icon_->setToolTip(tip_);
        icon_->setContextMenu(&menu());
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

void QtTray::keep(const QIcon& picture, const QString& tip) {
    picture_ = picture;
    tip_ = tip;
    if (icon_) {
        icon_->setIcon(picture);
        icon_->setToolTip(tip);
    }
}

bool QtTray::add(const QIcon& picture, const QString& tip) {
    keep(picture, tip);
    followAreas();
    // The area's last answer: an add() that comes before it, or after the area went, looks
    // until one answers, and says so then.
    if (!areaSeen_) {
        if (!looking_) {
            startLooking();
            grace_.start();
            lookForArea();
        }
        return false;
    }
    stopLooking();
    grace_.stop();
    icon().show();
    watching_ = true;
    if (!told_) {
        watch_.start();
    }
    return true;
}

bool QtTray::modify(const QIcon& picture, const QString& tip) {
    keep(picture, tip);
    return visible();
}

void QtTray::remove() {
    stopLooking();
    grace_.stop();
    watching_ = false;
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
            menu_->addSeparator()->setVisible(!item.shown || item.shown());
            continue;
        }
        QAction* action = menu_->addAction(item.caption);
        if (item.onChosen) {
            connect(action, &QAction::triggered, this, [chosen = item.onChosen] { chosen(); });
        }
        action->setCheckable(static_cast<bool>(item.checked));
        action->setVisible(!item.shown || item.shown());
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
        if (items_[i].shown) {
            actions[static_cast<qsizetype>(i)]->setVisible(items_[i].shown());
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
    (void)menu();
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

void QtTray::askForArea(const std::function<void()>& then) {
    if (asking_) {
        return; // one question at a time: the timers ask again, and so does a change
    }
    asking_ = true;
    askForNotificationArea(*this, [this, then](bool there) {
        asking_ = false;
        areaSeen_ = there;
        then();
        if (std::exchange(changedWhileAsking_, false)) {
            areaChanged();
        }
    });
}

void QtTray::followAreas() {
    if (!following_) {
        following_ = true;
        told_ = watchNotificationArea(*this, [this] { areaChanged(); });
    }
}

void QtTray::areaChanged() {
    if (asking_) {
        changedWhileAsking_ = true;
    } else if (watching_) {
        watchArea();
    } else if (looking_) {
        lookForArea();
    }
}

void QtTray::startLooking() {
    looking_ = true;
    if (!told_) {
        lookAgain_.start();
    }
}

void QtTray::stopLooking() {
    looking_ = false;
    lookAgain_.stop();
}

void QtTray::watchArea() {
    askForArea([this] {
        if (areaSeen_ || !watching_) {
            return;
        }
        // Hidden, so that showing it again in the next area registers it there anew.
        watching_ = false;
        watch_.stop();
        icon_->hide();
        startLooking();
        if (onAreaGone_) {
            onAreaGone_();
        }
    });
}

void QtTray::lookForArea() {
    askForArea([this] {
        if (!areaSeen_ || !looking_) {
            return; // none yet, or no longer looked for
        }
        stopLooking();
        grace_.stop();
        if (onAreaAppeared_) {
            onAreaAppeared_();
        }
    });
}

} // namespace velto
