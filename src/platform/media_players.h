#pragma once
// The desktop's media players: on the freedesktop systems those on the session bus that
// speak MPRIS (org.mpris.MediaPlayer2.*); elsewhere none are known.

#include "platform/seams.h"

#include <QObject>
#include <memory>

namespace velto {

class DesktopMediaPlayers final : public QObject, public MediaPlayers {
    Q_OBJECT
public:
    DesktopMediaPlayers();
    ~DesktopMediaPlayers() override;
    DesktopMediaPlayers(const DesktopMediaPlayers&) = delete;
    DesktopMediaPlayers& operator=(const DesktopMediaPlayers&) = delete;
    void pausePlaying() override;
    void resumePaused() override;

private:
    struct System; // what the system's way needs
    std::unique_ptr<System> system_;
};

} // namespace velto
