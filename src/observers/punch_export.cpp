#include "observers/punch_export.h"

#include "platform/console.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstdio>
#include <memory>

namespace velto {

using std::chrono::seconds;

namespace {

constexpr int kJsonVersion = 1;

/// 2026-10-25T02:30:00+02:00: the offset makes a time of the repeated hour unambiguous.
QString localTime(Instant t, seconds offset) {
    const qint64 off = offset.count();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(epochSeconds(t) + off, Qt::UTC);
    const qint64 mag = off < 0 ? -off : off;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(off < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(mag / 3600, 2, 10, QLatin1Char('0'))
               .arg(mag % 3600 / 60, 2, 10, QLatin1Char('0'));
}

QString utcStamp(Instant t) {
    return QDateTime::fromSecsSinceEpoch(epochSeconds(t), Qt::UTC)
        .toString(QStringLiteral("yyyyMMddTHHmmssZ"));
}

int minutesOf(seconds s) {
    return static_cast<int>(std::chrono::floor<std::chrono::minutes>(s).count());
}

QString hoursOf(int minutes) {
    return QString::number(minutes / 60.0, 'f', 2);
}

QByteArray csv(const std::vector<PunchSession>& sessions) {
    QByteArray out = "start,end,minutes,hours\r\n";
    for (const PunchSession& s : sessions) {
        const int minutes = minutesOf(s.worked(*s.end));
        out += QStringLiteral("%1,%2,%3,%4\r\n")
                   .arg(localTime(s.start, s.startOffset), localTime(*s.end, *s.endOffset))
                   .arg(minutes)
                   .arg(hoursOf(minutes))
                   .toUtf8();
    }
    return out;
}

QByteArray json(const std::vector<PunchSession>& sessions, const QTimeZone& zone) {
    QJsonArray list;
    for (const PunchSession& s : sessions) {
        const int minutes = minutesOf(s.worked(*s.end));
        list.append(QJsonObject{{"start", localTime(s.start, s.startOffset)},
                                {"end", localTime(*s.end, *s.endOffset)},
                                {"startUtc", epochSeconds(s.start)},
                                {"endUtc", epochSeconds(*s.end)},
                                {"minutes", minutes},
                                {"hours", hoursOf(minutes)}});
    }
    QJsonArray dayList;
    for (const DayTotal& d : dayTotals(sessions, zone, {})) {
        dayList.append(QJsonObject{{"date", d.day.toString(Qt::ISODate)},
                                   {"minutes", minutesOf(d.worked)},
                                   {"hours", hoursOf(minutesOf(d.worked))}});
    }
    const QJsonObject root{{"format", "velto-punch-log"},
                           {"version", kJsonVersion},
                           {"zone", QString::fromUtf8(zone.id())},
                           {"sessions", list},
                           {"days", dayList}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray ics(const std::vector<PunchSession>& sessions) {
    QByteArray out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velto//Punch log//EN\r\n"
                     "CALSCALE:GREGORIAN\r\n";
    for (const PunchSession& s : sessions) {
        // The same session has the same UID in every export, so a calendar updates it.
        out += QStringLiteral("BEGIN:VEVENT\r\nUID:punch-%1-%2@velto\r\nDTSTAMP:%3\r\n"
                              "DTSTART:%4\r\nDTEND:%3\r\nSUMMARY:Punched in\r\nEND:VEVENT\r\n")
                   .arg(s.id)
                   .arg(epochSeconds(s.start))
                   .arg(utcStamp(*s.end), utcStamp(s.start))
                   .toUtf8();
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

} // namespace

std::optional<ExportFormat> exportFormatNamed(const QString& name) {
    if (name == QLatin1String("csv")) {
        return ExportFormat::Csv;
    }
    if (name == QLatin1String("json")) {
        return ExportFormat::Json;
    }
    if (name == QLatin1String("ics")) {
        return ExportFormat::Ics;
    }
    return std::nullopt;
}

QByteArray exportSessions(const std::vector<PunchSession>& sessions, ExportFormat format,
                          const QTimeZone& zone) {
    std::vector<PunchSession> finished;
    for (const PunchSession& s : sessions) {
        if (s.end) {
            finished.push_back(s);
        }
    }
    switch (format) {
    case ExportFormat::Csv:
        return csv(finished);
    case ExportFormat::Json:
        return json(finished, zone);
    case ExportFormat::Ics:
        return ics(finished);
    }
    return {};
}

ExportRange rangeOfDays(std::optional<QDate> from, std::optional<QDate> to, const QTimeZone& zone) {
    const auto midnight = [&zone](QDate day) {
        return Instant{seconds{QDateTime(day, QTime(0, 0), zone).toSecsSinceEpoch()}};
    };
    ExportRange r;
    if (from) {
        r.from = midnight(*from);
    }
    if (to) {
        r.to = midnight(to->addDays(1));
    }
    return r;
}

std::optional<int> runExport(const QStringList& arguments) {
    const bool asked = std::any_of(arguments.begin(), arguments.end(), [](const QString& a) {
        return a == QLatin1String("--export") || a.startsWith(QLatin1String("--export="));
    });
    if (!asked) {
        return std::nullopt;
    }
    const auto mistake = [](const QString& what) {
        std::fprintf(stderr, "velto: %s\nTry 'velto --help' for more information.\n",
                     qPrintable(what));
        return 2;
    };
    QCommandLineParser parser;
    const QCommandLineOption exportOption(QStringLiteral("export"), {}, QStringLiteral("format"));
    const QCommandLineOption fromOption(QStringLiteral("from"), {}, QStringLiteral("date"));
    const QCommandLineOption toOption(QStringLiteral("to"), {}, QStringLiteral("date"));
    const QCommandLineOption outputOption(QStringLiteral("output"), {}, QStringLiteral("file"));
    parser.addOptions({exportOption, fromOption, toOption, outputOption});
    if (!parser.parse(arguments)) {
        return mistake(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return mistake(QStringLiteral("unexpected argument '%1'")
                           .arg(parser.positionalArguments().constFirst()));
    }
    const auto format = exportFormatNamed(parser.value(exportOption));
    if (!format) {
        return mistake(QStringLiteral("cannot export as '%1': the formats are csv, json and ics")
                           .arg(parser.value(exportOption)));
    }
    std::optional<QDate> dayLimits[2];
    const QCommandLineOption* dayOptions[2] = {&fromOption, &toOption};
    for (int i = 0; i < 2; ++i) {
        if (!parser.isSet(*dayOptions[i])) {
            continue;
        }
        const QString text = parser.value(*dayOptions[i]);
        const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid()) {
            return mistake(QStringLiteral("--%1 %2 is not a date of the form YYYY-MM-DD")
                               .arg(dayOptions[i]->names().constFirst(), text));
        }
        dayLimits[i] = day;
    }
    if (dayLimits[0] && dayLimits[1] && *dayLimits[1] < *dayLimits[0]) {
        return mistake(
            QStringLiteral("--to %1 comes before --from %2")
                .arg(dayLimits[1]->toString(Qt::ISODate), dayLimits[0]->toString(Qt::ISODate)));
    }

    // The SQL driver is a plug-in, found through an application object.
    std::unique_ptr<QCoreApplication> app;
    int argc = 1;
    char name[] = "velto";
    char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const ExportRange range = rangeOfDays(dayLimits[0], dayLimits[1], zone);
    PunchStore store(PunchStore::defaultPath(), PunchStore::Mode::ReadOnly);
    std::vector<PunchSession> sessions;
    if (QFileInfo::exists(store.path())) { // nothing punched yet: an empty export
        const auto read = store.sessions(range.from, range.to);
        if (!read) {
            qCCritical(lcPunch, "%s", qPrintable(store.error()));
            return 1;
        }
        sessions = *read;
    }
    const QByteArray out = exportSessions(sessions, *format, zone);
    if (!parser.isSet(outputOption)) {
        return std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout) ==
                           static_cast<size_t>(out.size()) &&
                       std::fflush(stdout) == 0
                   ? 0
                   : 1;
    }
    QSaveFile file(parser.value(outputOption));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        qCCritical(lcPunch, "cannot write %s: %s", qPrintable(file.fileName()),
                   qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

} // namespace velto
