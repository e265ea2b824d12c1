#pragma once
// The ring: the one signal of the alarm and the announcer, heard and seen. It plays the
// sound and opens the alarm window whenever the model rings. An alarm that rings until
// stopped repeats its sound, growing from quiet to its full volume, and pauses the desktop's
// media players until it stops.

#include "art/depot.h"
#include "model/clock_model.h"
#include "platform/seams.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace velto {

class AlarmWindow;

/// The file of sound `name`: wav/<name>.wav in the program's folder if it is there, else the
/// first found in the data folders (the user's own before the system's), else the one in
/// the program's folder, so that a report names where it was looked for first.
QString wavePath(const Desktop& desktop, const QString& name);

class Ringer final : public QObject {
    Q_OBJECT
public:
    /// Rings at every ring of `model`; the alarm window opens over `main`.
    Ringer(ClockModel& model, Depot& depot, SoundPlayer& sound, MediaPlayers& media,
           const Desktop& desktop, const QWidget& main);
    /// The alarm window goes with the ringer, even while it counts down.
    ~Ringer() override;
    Ringer(const Ringer&) = delete;
    Ringer& operator=(const Ringer&) = delete;

    /// Loads the sound ahead of time, so that the first ring is heard at once. From then on,
    /// sound that goes or comes back between rings is said on the console too, and a new
    /// sound is loaded as it is chosen. Once is enough.
    void prepare();
    [[nodiscard]] bool prepared() const { return prepared_; }
    /// Plays the sound without waiting and opens the alarm window, unless it is open
    /// already. A sound that cannot be played as it is (the player then plays its own), or
    /// not at all, is reported on the console once per cause (until it plays again); the
    /// ring goes on.
    void ring(RingKind kind);
    /// Plays the sound of `kind` as its ring would, at the volume chosen now; nothing else.
    void preview(RingKind kind);
    /// How loud a ring that rings until stopped is `elapsedMs` after it began, as a share of
    /// its volume: quiet at first, full after kFadeInMs.
    static double fadeIn(qint64 elapsedMs);
    static constexpr qint64 kFadeInMs = 30000;
    /// Closes the alarm window as its button would; false when none is open.
    bool dismiss();
    /// The alarm window while it is open; null otherwise.
    [[nodiscard]] AlarmWindow* window() const;

private:
    /// Says a sound failure on the console unless it is the one said last.
    void report(bool heard);
    /// Says what the player found out between rings: sound gone, or back after a failure.
    void reportChange();
    /// The file that `kind` plays; empty for the player's own sound.
    [[nodiscard]] QString soundOf(RingKind kind) const;
    /// The chosen volume of `kind`'s ring, as Playing::volume.
    [[nodiscard]] double volumeOf(RingKind kind) const;
    [[nodiscard]] Playing playingOf(RingKind kind) const;
    /// The alarm stopped ringing.
    void ringStopped();
    void fade();

    ClockModel& model_;
    Depot& depot_;
    SoundPlayer& sound_;
    MediaPlayers& media_;
    QTimer fading_;
    QElapsedTimer fadingFor_;
    bool mediaPaused_ = false;
    bool repeating_ = false; // the sound playing is the repeating ring's
    bool prepared_ = false;
    const Desktop& desktop_;
    const QWidget& main_;
    QPointer<AlarmWindow> window_;
    QString soundError_; // the last failure said, so that it is said once
};

} // namespace velto
