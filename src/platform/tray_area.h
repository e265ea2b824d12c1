#pragma once
// Whether the desktop has a notification area for the tray icon, asked without waiting: the
// desktop's answer may take long, or never come, and the clock must tick meanwhile.

#include <QObject>
#include <functional>

namespace velto {

/// How long a notification area may take to answer before it counts as missing.
inline constexpr int kTrayAreaAnswerMs = 3000;

/// Asks whether there is a notification area now. `answer` runs on the UI thread with it, at
/// once or within kTrayAreaAnswerMs, unless `context` is gone by then.
void askForNotificationArea(QObject& context, std::function<void(bool)> answer);

} // namespace velto
