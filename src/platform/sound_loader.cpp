#include "platform/sound_loader.h"

#include <QDir>
#include <QLibrary>

#include "velto_config.h"

namespace velto {

SoundLoader::SoundLoader(QStringList folders) : folders_(std::move(folders)) {}

SoundLoader::~SoundLoader() = default;

QStringList SoundLoader::foldersFor(const QString& programFolder) {
    QStringList folders{programFolder};
    folders << QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(VELTO_MODULE_DIR));
    return folders;
}

SoundPlayer* SoundLoader::player() {
    if (tried_) {
        return player_.get();
    }
    tried_ = true;
    QStringList failures;
    for (const QString& folder : folders_) {
        // The module stays loaded for the rest of the run: the player's code lives in it.
        QLibrary module(QDir(folder).filePath(QStringLiteral("velto_sound")));
        using Maker = SoundPlayer* (*)();
        if (auto make = reinterpret_cast<Maker>(module.resolve(kSoundModuleEntry))) {
            player_.reset(make());
            if (onChanged_) {
                player_->onChanged(onChanged_);
            }
            return player_.get();
        }
        failures << module.errorString();
    }
    error_ = QStringLiteral("the sound module could not be loaded, so rings are silent (%1)")
                 .arg(failures.join(QStringLiteral("; ")));
    return nullptr;
}

bool SoundLoader::prepare(const QString& path) {
    SoundPlayer* real = player();
    return real != nullptr && real->prepare(path);
}

bool SoundLoader::play(const QString& path, const Playing& how) {
    SoundPlayer* real = player();
    return real != nullptr && real->play(path, how);
}

void SoundLoader::setVolume(double volume) {
    if (player_) {
        player_->setVolume(volume);
    }
}

void SoundLoader::stop() {
    if (player_) {
        player_->stop();
    }
}

void SoundLoader::onChanged(std::function<void()> handler) {
    onChanged_ = std::move(handler);
    if (player_) {
        player_->onChanged(onChanged_);
    }
}

QString SoundLoader::error() const {
    return player_ ? player_->error() : error_;
}

} // namespace velto
