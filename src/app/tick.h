#pragma once
// The time's looks at each new reading of the model.

#include "core/context.h"

namespace velto {

/// The hands (a hidden window's are drawn when it shows again), the seconds, and at a full
/// minute the read-out.
void ShowTick(const Ctx& c, bool fullMinute);

} // namespace velto
