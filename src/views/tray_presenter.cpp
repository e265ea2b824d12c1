#include "views/tray_presenter.h"

#include "observers/login_item.h"

#include <vector>

namespace velto {

TrayPresenter::TrayPresenter(ClockModel& model, Depot& depot, TrayIcon& tray,
                             MessageBoxes& messages, LoginStart& login)
    : model_(model), depot_(depot), tray_(tray), messages_(messages) {
    const auto entry = [](TrayEntry e) { return static_cast<size_t>(e); };
    std::vector<TrayMenuItem> menu(entry(TrayEntry::Exit) + 1);
    const auto item = [&menu, &entry](TrayEntry e, const QString& caption,
                                      std::function<void()> onChosen) -> TrayMenuItem& {
        TrayMenuItem& it = menu[entry(e)];
        it.caption = caption;
        it.onChosen = std::move(onChosen);
        return it;
    };
    const auto ringing = [this] { return model_.ringing(); };
    item(TrayEntry::StopRing, tr("S&top the alarm"), [this] { model_.stopRing(); }).shown = ringing;
    item(TrayEntry::Snooze, tr("S&nooze"), [this] { model_.snooze(); }).shown = ringing;
    menu[entry(TrayEntry::SeparatorRing)].shown = ringing;
    // The switch starts as "Alarm ON" and follows the alarm from then on.
    item(TrayEntry::AlarmSwitch, depot.tag(DepotArray::imgTrayIcon, 0),
         [this] { model_.toggleAlarm(); });
    item(TrayEntry::Show, tr("&Show Velto"), [this] { emit showChosen(); }).isDefault = true;
    item(TrayEntry::About, tr("&About"), [this] { emit aboutChosen(); });
    item(TrayEntry::PunchLog, tr("&Punch log"), [this] { emit punchLogChosen(); });
    item(TrayEntry::Preferences, tr("P&references..."), [this] { emit preferencesChosen(); });
    makeLoginStartItem(item(TrayEntry::LoginStart, tr("Start at &login"), {}), login);
    item(TrayEntry::Exit, tr("E&xit"), [this] { emit exitChosen(); });
    tray.setMenu(std::move(menu));
    tray.onClick([this](TrayClick click) { emit clicked(click); });
    tray.onAreaAppeared([this] { areaAppeared(); });
    tray.onAreaStillMissing([this] { areaStillMissing(); });
    tray.onAreaGone([this] { emit areaGone(); });
    connect(&model, &ClockModel::alarmChanged, this, &TrayPresenter::showAlarmState);
    connect(&model, &ClockModel::labelChanged, this, &TrayPresenter::showAlarmState);
}

QString TrayPresenter::tip() const {
    QString tip = depot_.tag(DepotArray::imgTrayIcon, look());
    if (!model_.armed()) {
        return tip;
    }
    if (!model_.label().isEmpty()) {
        tip += QStringLiteral(": ") + model_.label();
    }
    if (model_.snoozed()) {
        tip += QLatin1Char('\n') + tr("Snoozed until %1").arg(minuteText(model_.alarmTime()));
    }
    return tip;
}

void TrayPresenter::addIcon() {
    // Without a notification area the tray tells when one is still missing a few seconds
    // on: a panel that starts with the session often comes a moment after the clock.
    (void)tray_.add(depot_.trayIcon(0), depot_.tag(DepotArray::imgTrayIcon, 0));
}

void TrayPresenter::areaStillMissing() {
    notice_ = messages_.inform(QStringLiteral("Velto"), tr("Unable to add icon to system tray"));
}

void TrayPresenter::removeIcon() {
    tray_.remove();
}

void TrayPresenter::showAlarmState() {
    tray_.setMenuCaption(static_cast<int>(TrayEntry::AlarmSwitch),
                         depot_.tag(DepotArray::imgTrayIcon, 1 - look()));
    // The picture is kept even without an icon, for the area that may come later.
    (void)tray_.modify(depot_.trayIcon(look()), tip());
}

void TrayPresenter::areaAppeared() {
    if (notice_) {
        messages_.withdraw(*notice_); // what it said is no longer so
        notice_.reset();
    }
    (void)tray_.add(depot_.trayIcon(look()), tip());
}

} // namespace velto
