#pragma once
// The real tray icon: QSystemTrayIcon with a QMenu. Qt picks the protocol (a
// StatusNotifierItem host where one runs, otherwise an XEmbed tray on X11, the shell's
// notification area on Windows and macOS).

#include "platform/seams.h"

#include <QIcon>
#include <QObject>
#include <QTimer>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace velto {

class QtTray final : public QObject, public TrayIcon {
    Q_OBJECT
public:
    /// How often a missing notification area is looked for again, where the desktop does not
    /// tell when one appears. Cheap, and only while the icon is wanted but has no place.
    static constexpr int kLookAgainMs = 2000;
    /// How long a panel that starts with the session may take to appear.
    static constexpr int kGraceMs = 5000;
    /// How often the notification area that holds the icon is looked at, to notice a panel
    /// that went away, where the desktop does not tell (Qt does not either).
    static constexpr int kWatchMs = 5000;

    QtTray();
    ~QtTray() override;
    bool add(const QIcon& icon, const QString& tip) override;
    bool modify(const QIcon& icon, const QString& tip) override;
    void remove() override;
    [[nodiscard]] bool visible() const override;
    void setMenu(std::vector<TrayMenuItem> items) override;
    void setMenuCaption(int index, const QString& caption) override;
    void onClick(std::function<void(TrayClick)> handler) override;
    void onAreaAppeared(std::function<void()> handler) override;
    void onAreaStillMissing(std::function<void()> handler) override;
    void onAreaGone(std::function<void()> handler) override;
    void prepareMenu() override;
    /// A message from the icon, where the system shows those as notifications (Windows,
    /// macOS); nothing without an icon in a notification area.
    void showMessage(const QString& title, const QString& body);
    /// The icon's menu, made when first wanted (without a notification area too).
    QMenu& menu();

private:
    QSystemTrayIcon& icon();
    /// The picture and tip, for the icon now or when it is made.
    void keep(const QIcon& picture, const QString& tip);
    /// Asks the desktop whether it has a notification area, without waiting; `then` runs
    /// when areaSeen_ holds the answer. A question still out is not asked again.
    void askForArea(const std::function<void()>& then);
    void buildMenu();
    /// The check marks as their entries say now.
    void refreshChecks();
    void lookForArea();
    /// While the icon is shown: whether its notification area is still there.
    void watchArea();
    /// From the first icon on: the desktop's word of areas that come and go, where it gives
    /// it; elsewhere the timers ask now and then.
    void followAreas();
    /// A notification area came or went: the one looked for or the icon's own, asked about.
    void areaChanged();
    void startLooking();
    void stopLooking();

    std::unique_ptr<QMenu> menu_; // made with the icon
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::vector<TrayMenuItem> items_;
    QIcon picture_;
    QString tip_;
    bool areaSeen_ = false; // the desktop's last answer
    bool asking_ = false;
    bool changedWhileAsking_ = false; // the answer under way may tell of before the change
    bool following_ = false;
    bool told_ = false;     // the desktop tells when areas come and go: no timers
    bool looking_ = false;  // the icon is wanted but has no area
    bool watching_ = false; // the icon is shown in an area
    QTimer lookAgain_;
    QTimer grace_;
    QTimer watch_;
    std::function<void(TrayClick)> onClick_;
    std::function<void()> onAreaAppeared_;
    std::function<void()> onAreaStillMissing_;
    std::function<void()> onAreaGone_;
};

} // namespace velto
