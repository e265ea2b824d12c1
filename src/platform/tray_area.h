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

/// Follows the desktop's notification areas as they come and go: `changed` runs on the UI
/// thread soon after any change, while `context` lives; askForNotificationArea() tells what
/// there is then. False where this desktop tells nothing of the kind: only asking again, now
/// and then, notices a change there.
bool watchNotificationArea(QObject& context, std::function<void()> changed);

} // namespace velto
