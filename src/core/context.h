#pragma once
// What every behaviour routine works on: the shared state, the depot, the main window and
// the desktop seams. The program owns them all; a Ctx only refers to them.

#include "assets/depot.h"
#include "core/frm_velto.h"
#include "core/state.h"
#include "platform/seams.h"

namespace velto {

struct Ctx {
    VeltoState& s;
    const FrmDepot& depot;
    FrmVelto& main;
    Platform& platform;

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
