#pragma once
// The program's shared state: one instance, owned by the program and passed by reference.
// 16-bit fields are signed 16-bit integers on purpose: their ranges are part of the design.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace velto {

/// The two-character parts of a "hh:mm:ss" text.
struct TimeParts {
    QString Hour;
    QString Minute;
    QString Second;
    friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

/// A pixel of the clock face.
struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// Punched out.
inline constexpr int16_t kPunchedOut = 9999;

struct VeltoState {
    // Time texts, refreshed by ReadClock.
    QString TimeText;
    TimeParts Parts; // assigned as a whole
    [[nodiscard]] const QString& HourText() const { return Parts.Hour; }
    [[nodiscard]] const QString& MinuteText() const { return Parts.Minute; }
    [[nodiscard]] const QString& SecondText() const { return Parts.Second; }

    // Alarm and countdown.
    QString AlarmTime;
    int16_t AlarmOff = 0;
    int16_t CountdownMinutes = 0;
    int16_t AlarmEditMode = 0;
    QString EditedAlarmTime;
    // The digit of EditedAlarmTime (0..3: hours tens and units, minutes tens and units) that
    // the next digit typed in the edit mode goes to.
    int16_t EditPlace = 0;
    // The moment the armed alarm rings, in wall-clock seconds (see WallSeconds): a time of
    // day with its date, so that a countdown past midnight rings the next morning.
    int64_t AlarmAt = 0;
    int16_t ColonBlink = 0;

    // Punch clock and its keypad.
    int16_t PunchMinutes = 0;
    int16_t PunchKey = 0;

    // Announcer.
    int16_t AnnounceInterval = 0;

    // The last sound failure reported, so that it is said once and not at every ring.
    QString SoundError;

    // Clock-face geometry.
    float CenterX = 0;
    float CenterY = 0;
    PixelPoint HourStart, HourEnd, MinuteStart, MinuteEnd, SecondStart, SecondEnd;

    // Correction bars.
    int16_t CorrectTop = 0;
    int16_t CorrectPressedTop = 0;

    // The one clock reading of the current tick (or of start-up): hands, texts and checks
    // all take the time from here.
    QDateTime Now;

    // The tick: the whole second (seconds since the epoch) it last acted on, none at first;
    // and the start-up reading, from which the first tick measures what it may have missed.
    std::optional<int64_t> LastTick;
    std::optional<QDateTime> StartedAt;
    // The wall-clock second of the last tick (or of start-up): with this one the tick knows
    // the span of wall-clock time that passed, whatever real time did.
    int64_t LastWall = 0;
};

} // namespace velto
