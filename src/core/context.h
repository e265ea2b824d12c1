#pragma once
// What every behaviour routine works on: the shared state, the depot, the main window and
// the desktop seams. The program owns them all; a Ctx only refers to them.

#include "assets/depot.h"
#include "core/frm_velto.h"
#include "core/state.h"
#include "model/clock_model.h"
#include "platform/seams.h"

#include <QPointer>

namespace velto {

class FrmAlarm;
class FrmAbout;

/// The windows besides the main one. Each is made on first use by the subsystem that owns
/// it; the alarm window goes after each ring, so these may be null at any time.
struct OtherWindows {
    QPointer<FrmAlarm> alarm;
    QPointer<FrmAbout> about;
};

struct Ctx {
    ClockModel& model;
    VeltoState& s;
    const FrmDepot& depot;
    FrmVelto& main;
    Platform& platform;
    OtherWindows& windows;

    /// `control` shows depot element (array, index).
    void show(ImageControl& control, DepotArray array, int index) const {
        control.setPicture(depot.picture(array, index), FrmDepot::ref(array, index));
    }
};

/// The program's title, used on its windows and message boxes.
inline QString appTitle() {
    return QStringLiteral("Velto");
}

} // namespace velto
