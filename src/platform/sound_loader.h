#pragma once
// The sound player, loaded when it is first needed. Qt Multimedia and the audio libraries
// under it are the largest part of the program; kept in a module of their own, they load
// after the window is on the screen instead of before.

#include "platform/seams.h"

#include <QStringList>
#include <memory>

namespace velto {

/// The name the sound module exports its maker under: `SoundPlayer* velto_new_sound_player()`.
inline constexpr char kSoundModuleEntry[] = "velto_new_sound_player";

/// A SoundPlayer that loads the real one from the sound module on its first prepare() or
/// play() and then passes every call on. When the module cannot be loaded, every call
/// fails and error() says why; nothing else breaks.
class SoundLoader final : public SoundPlayer {
public:
    /// Looks for the module in `folders`, in order.
    explicit SoundLoader(QStringList folders);
    ~SoundLoader() override;
    bool prepare(const QString& path) override;
    bool play(const QString& path, const Playing& how = {}) override;
    void setVolume(double volume) override;
    void stop() override;
    [[nodiscard]] QString error() const override;
    void onChanged(std::function<void()> handler) override;

    /// The folders a program in `programFolder` looks in: its own, then where an installed
    /// program keeps its modules.
    static QStringList foldersFor(const QString& programFolder);

private:
    SoundPlayer* player();

    QStringList folders_;
    std::unique_ptr<SoundPlayer> player_;
    bool tried_ = false;
    QString error_;
    std::function<void()> onChanged_; // for the player once it is loaded
};

} // namespace velto
