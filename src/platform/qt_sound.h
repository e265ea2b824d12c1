#pragma once
// The sound, on Qt Multimedia.

#include "platform/seams.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
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

/// Why the sound server cannot be reached now ("the sound server cannot be reached
/// (connecting to /run/user/1000/pulse/native: Connection refused)", "the program is out of
/// file descriptors (Too many open files)"), or an empty text when it answers or when where
/// it is cannot be told.
QString soundServerProblem();

/// Plays through QSoundEffect. prepare() checks the file and loads it in the background; a
/// later play() of the same file starts it at once. A file that changed since it was loaded
/// is checked and loaded again. A file that cannot be played is replaced by the program's
/// own chime, compiled into it.
///
/// While the sound server cannot be reached, nothing of Qt's sound is started (a connection
/// that fails at start is never tried again). When the server goes away, the player says so
/// once, watches for it to come back, connects Qt's sound output again and says that sound
/// is back.
class QtSound final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSound(QObject* parent = nullptr);
    bool prepare(const QString& path) override;
    bool play(const QString& path, const Playing& how = {}) override;
    void setVolume(double volume) override;
    void stop() override;
    [[nodiscard]] QString error() const override { return error_; }
    void onChanged(std::function<void()> handler) override { onChanged_ = std::move(handler); }

    /// The built-in chime.
    static QUrl chimeUrl();
    /// What the last play() started: the file (with a load counter as its query) or the
    /// chime. Empty before the first play.
    [[nodiscard]] QUrl lastPlayed() const { return lastPlayed_; }

private:
    /// Qt's PulseAudio connection failed: the server is gone.
    void onEngineFailed();
    /// What identifies one version of the file on disk.
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static Stamp stampOf(const QString& path);
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Makes the effects once the sound server answers; false while it does not.
    bool connectOutput();
    /// Brings sound back if the server answers again; true when sound can be heard.
    bool reconnect();
    /// Says once that nothing can be heard and why (`why`, or `orElse` when that is empty;
    /// `gone`: until the server is back), and watches until reconnect() brings sound back.
    void goSilent(const QString& why, const QString& orElse, bool gone);
    /// A ring could not be played: error() says so, and why.
    void lost();
    /// Says once that Qt's sound output does not come back by itself, nor can we bring it
    /// back (its insides are not what we know), so only a new start of the clock brings
    /// sound back.
    void stuck();
    /// Plays `effect` afresh; false when the sound output would not take it.
    bool start(std::unique_ptr<QSoundEffect>& effect);
    /// Plays the file, or the chime instead; false when the sound output would not take it.
    bool ring(bool ownFile);
    void changed();
    void load(const QString& path);
    /// Asks the sound system for the file under a new address, and watches it load.
    void requestFile();
    /// Looks at the file's effect again after a while if it is still loading.
    void watchLoad();
    /// The file is asked for again when it stays loading (see there).
    void onLoadWatch();
    /// A loaded sound that a ring waits for starts; a file that fails to load gives the chime.
    void onStatus(const QSoundEffect* sender);
    /// Plays `effect`'s sound from the start on an effect made afresh for it.
    void restart(std::unique_ptr<QSoundEffect>& effect);
    /// An effect on `source`; it reports its status to onStatus().
    std::unique_ptr<QSoundEffect> effectOn(const QUrl& source);
    /// The failure to report for `path` as things stand, or empty.
    [[nodiscard]] QString why(const QString& path) const;

    std::unique_ptr<QSoundEffect> file_; // both made once the sound server answers
    std::unique_ptr<QSoundEffect> chime_;
    // Effects of sounds no longer played, kept so that no sound is ever let go of (see
    // load()); one for each time the file changed.
    std::vector<std::unique_ptr<QSoundEffect>> retired_;
    QString path_;
    Stamp stamp_;
    QUrl fileUrl_;        // the file as the effect loads it; empty when it does not play
    QString fileProblem_; // why the file does not play; empty when it does
    int loads_ = 0;
    int reloads_ = 0; // of the file's current version, when it stayed loading
    QTimer loadWatch_;
    // The effect a ring waits for, which came while it was still loading; or none.
    std::unique_ptr<QSoundEffect>* waiting_ = nullptr;
    Playing how_; // of the last play()
    QString error_;
    QUrl lastPlayed_;
    QString silence_; // why nothing is heard now, as said; empty while sound can be heard
    QString cause_;   // its cause alone
    QTimer watch_;    // looks for the sound server while it is gone
    // Qt's PulseAudio connections (it keeps two: one for the devices, one for playing),
    // found when they fail; and when one last did.
    std::vector<QPointer<QObject>> engines_;
    QElapsedTimer engineFailed_;
    int unreconnected_ = 0; // looks at a server that answers while the output stays shut
    bool saidStuck_ = false;
    std::function<void()> onChanged_;
};

} // namespace velto
