#pragma once
// The sound, on Qt Multimedia.

#include "platform/seams.h"

#include <QDateTime>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>
#include <memory>
#include <vector>

namespace velto {

/// The largest sound file the player takes. An alarm is a few seconds; anything much larger
/// is a mistake, and loading it would hold the memory for the whole run.
inline constexpr qint64 kMaxWaveBytes = 8LL * 1024 * 1024;

/// What keeps the file at `path` from playing, in a few words ("is empty", "has 32-bit
/// samples; only 8- and 16-bit PCM can be played"), or an empty text when it is a WAV file
/// that the sound system takes. Reads the headers only, never the samples.
QString wavProblem(const QString& path);

/// Plays through QSoundEffect. prepare() checks the file and loads it in the background; a
/// later play() of the same file starts it at once. A file that changed since it was loaded
/// is checked and loaded again. A file that cannot be played is replaced by the program's
/// own chime, compiled into it.
class QtSound final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSound(QObject* parent = nullptr);
    bool prepare(const QString& path) override;
    bool play(const QString& path) override;
    [[nodiscard]] QString error() const override { return error_; }

    /// The built-in chime.
    static QUrl chimeUrl();
    /// What the last play() started: the file (with a load counter as its query) or the
    /// chime. Empty before the first play.
    [[nodiscard]] QUrl lastPlayed() const { return lastPlayed_; }

private:
    /// What identifies one version of the file on disk.
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static Stamp stampOf(const QString& path);
    void load(const QString& path);
    void onFileStatus();
    /// Plays `effect`'s sound from the start on an effect made afresh for it.
    void restart(std::unique_ptr<QSoundEffect>& effect);
    /// An effect on `source`; the file's reports its status to onFileStatus().
    std::unique_ptr<QSoundEffect> effectOn(const QUrl& source, bool isFile);
    /// The failure to report for `path` as things stand, or empty.
    [[nodiscard]] QString why(const QString& path) const;

    std::unique_ptr<QSoundEffect> file_;
    std::unique_ptr<QSoundEffect> chime_;
    // Effects of sounds no longer played, kept so that no sound is ever let go of (see
    // load()); one for each time the file changed.
    std::vector<std::unique_ptr<QSoundEffect>> retired_;
    QString path_;
    Stamp stamp_;
    QString fileProblem_; // why the file does not play; empty when it does
    int loads_ = 0;
    bool ringWaits_ = false; // a ring came while the file was still loading
    QString error_;
    QUrl lastPlayed_;
};

} // namespace velto
