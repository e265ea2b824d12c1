#pragma once
// The program as a whole: start-up, the tick and shut-down of the main window, and the
// wiring of its controls to the handlers.

#include "core/context.h"

#include <memory>

namespace velto {

class VeltoApp {
public:
    explicit VeltoApp(Platform& platform);
    ~VeltoApp();
    VeltoApp(const VeltoApp&) = delete;
    VeltoApp& operator=(const VeltoApp&) = delete;

    /// Starts the program. Returns false, having shown nothing, when another instance runs.
    bool startUp();
    /// One firing of the ticker.
    void mainTick();
    /// Removes the tray icon, unloads the windows and ends the process, once, however often
    /// and from wherever it is asked for.
    void shutDown();

    [[nodiscard]] Ctx ctx();
    ClockModel& model() { return model_; }
    VeltoState& state() { return state_; }
    [[nodiscard]] const FrmDepot& depot() const { return *depot_; }
    FrmVelto& main() { return *main_; }

private:
    /// The shut-down; `endEventLoop` is false when the event loop has ended already.
    void finish(bool endEventLoop);
    /// The views follow the model: each draws what it shows when the model says it changed.
    void observe();
    void wire();
    void wireAlarm();
    /// The hot spots exist only once start-up has placed them.
    void placeHotSpotHandlers();
    /// The tray icon's clicks and menu, and the header's looks when the pointer goes.
    void wireShell();

    Platform& platform_;
    ClockModel model_;
    VeltoState state_;
    std::unique_ptr<FrmDepot> depot_;
    std::unique_ptr<FrmVelto> main_;
    OtherWindows windows_;
    bool finished_ = false;
};

} // namespace velto
