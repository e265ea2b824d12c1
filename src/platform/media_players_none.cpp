// Where the desktop has no media players the program can reach, nothing is paused.
#include "platform/media_players.h"

namespace velto {

struct DesktopMediaPlayers::System {};

DesktopMediaPlayers::DesktopMediaPlayers() = default;
DesktopMediaPlayers::~DesktopMediaPlayers() = default;
void DesktopMediaPlayers::pausePlaying() {}
void DesktopMediaPlayers::resumePaused() {}

} // namespace velto
