#include "views/tray_presenter.h"

#include <vector>

namespace velto {

TrayPresenter::TrayPresenter(ClockModel& model, Depot& depot, TrayIcon& tray,
                             MessageBoxes& messages)
    : model_(model), depot_(depot), tray_(tray), messages_(messages) {
    const auto entry = [](TrayEntry e) { return static_cast<size_t>(e); };
    std::vector<TrayMenuItem> menu(entry(TrayEntry::Exit) + 1);
    // The switch starts as "Alarm ON" and follows the alarm from then on.
    menu[entry(TrayEntry::AlarmSwitch)] = {.caption = depot.tag(DepotArray::imgTrayIcon, 0),
                                           .onChosen = [this] { model_.toggleAlarm(); }};
    menu[entry(TrayEntry::Show)] = {.caption = QStringLiteral("&Show Velto"),
                                    .isDefault = true,
                                    .onChosen = [this] { emit showChosen(); }};
    menu[entry(TrayEntry::About)] = {.caption = QStringLiteral("&About"),
                                     .onChosen = [this] { emit aboutChosen(); }};
    menu[entry(TrayEntry::Exit)] = {.caption = QStringLiteral("E&xit"),
                                    .onChosen = [this] { emit exitChosen(); }};
    tray.setMenu(std::move(menu));
    tray.onClick([this](TrayClick click) { emit clicked(click); });
    tray.onAreaAppeared([this] { areaAppeared(); });
    connect(&model, &ClockModel::alarmChanged, this, &TrayPresenter::showAlarmState);
}

void TrayPresenter::addIcon() {
    if (!tray_.add(depot_.trayIcon(0), depot_.tag(DepotArray::imgTrayIcon, 0))) {
        messages_.inform(QStringLiteral("Velto"),
                         QStringLiteral("Unable to add icon to system tray"));
    }
}

void TrayPresenter::removeIcon() {
    tray_.remove();
}

void TrayPresenter::showAlarmState() {
    tray_.setMenuCaption(static_cast<int>(TrayEntry::AlarmSwitch),
                         depot_.tag(DepotArray::imgTrayIcon, 1 - look()));
    // The picture is kept even without an icon, for the area that may come later.
    (void)tray_.modify(depot_.trayIcon(look()), depot_.tag(DepotArray::imgTrayIcon, look()));
}

void TrayPresenter::areaAppeared() {
    (void)tray_.add(depot_.trayIcon(look()), depot_.tag(DepotArray::imgTrayIcon, look()));
}

} // namespace velto
