#pragma once
// The punch log handed to other programs: CSV for a spreadsheet, JSON for a script,
// iCalendar for a calendar. Only finished sessions go out; the running one is not yet a fact.

#include "observers/punch_log.h"

#include <QByteArray>
#include <QStringList>
#include <QTimeZone>
#include <optional>
#include <vector>

namespace velto {

enum class ExportFormat { Csv, Json, Ics };

/// "csv", "json" or "ics"; none for any other word.
[[nodiscard]] std::optional<ExportFormat> exportFormatNamed(const QString& name);

/// The finished ones of `sessions` in `format`. Local times carry the offset the zone had at
/// each instant; the daily totals are days of `zone`.
[[nodiscard]] QByteArray exportSessions(const std::vector<PunchSession>& sessions,
                                        ExportFormat format, const QTimeZone& zone);

/// The instants from the start of local day `from` to the end of local day `to` in `zone`
/// (either open when absent).
struct ExportRange {
    std::optional<Instant> from;
    std::optional<Instant> to;
};
[[nodiscard]] ExportRange rangeOfDays(std::optional<QDate> from, std::optional<QDate> to,
                                      const QTimeZone& zone);

/// `velto --export csv|json|ics [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--output FILE]`: reads
/// the punch log (never writing to it) and writes the export to FILE or standard output.
/// Returns the exit status when `arguments` ask for an export (2 for a bad format, date or
/// range), nothing otherwise. Needs no display and no running clock.
[[nodiscard]] std::optional<int> runExport(const QStringList& arguments);

} // namespace velto
