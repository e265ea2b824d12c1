#pragma once
// How the sound server lists the clock: PulseAudio (and PipeWire's stand-in for it) would
// show the stream under the name Qt Multimedia gives its connection, "QtPulseAudio:<pid>",
// and as an ordinary stream. libpulse reads properties of the connection from the
// environment when it connects; PULSE_PROP_OVERRIDE_ wins over the name Qt sets.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace velto {

/// Names the program's sound "Velto", with the icon of `appId`, as an event sound (one the
/// desktop may treat like a notification's). Call in main() before any thread runs; a
/// property the user set in the environment stays as it is.
void nameSoundStreams(const QString& appId);

/// While it lives, the environment lacks the properties nameSoundStreams() set, so that a
/// program started meanwhile (the browser) is not taken for the clock by the sound server.
class SoundNamesHidden final {
public:
    SoundNamesHidden();
    ~SoundNamesHidden();
    SoundNamesHidden(const SoundNamesHidden&) = delete;
    SoundNamesHidden& operator=(const SoundNamesHidden&) = delete;

private:
    std::vector<std::pair<const char*, QByteArray>> hidden_; // variable, value
};

} // namespace velto
