#pragma once
// The notification-area icon, which shows the alarm state, and its menu's switch caption.

#include "core/context.h"

namespace velto {

void AddTrayIcon(const Ctx& c);
void ModifyTrayIcon(const Ctx& c, int16_t off);
void DeleteTrayIcon(const Ctx& c);
void SetTrayMenuCaption(const Ctx& c, const QString& caption);

} // namespace velto
