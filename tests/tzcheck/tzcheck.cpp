// Runs the clock model through the scenarios of oracle.py, each zone by the system's own zone
// data, and compares what rang, when, and what the read-outs said with what the oracle
// worked out. Reads the scenarios on standard input; says each mismatch and a summary.
#include "model/clock_model.h"
#include "platform/qt_clock.h"

#include <QMap>
#include <QStringList>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <map>
#include <string>

namespace {

using namespace velto;
using std::chrono::milliseconds;
using std::chrono::seconds;

/// Readings from the script; the zone's offsets from the system, as the program has them.
class ScriptedClock final : public Clock {
public:
    [[nodiscard]] ClockReading now() const override { return reading; }
    [[nodiscard]] seconds utcOffsetAt(std::chrono::sys_seconds t) const override {
        return system.utcOffsetAt(t);
    }
    /// The ticker fires a few milliseconds after the second; real time runs with the instant.
    void at(int64_t secs) {
        const milliseconds ms{secs * 1000 + 4};
        reading = {std::chrono::sys_time<milliseconds>{ms}, ms};
    }
    ClockReading reading;
    SystemClock system;
};

struct Figures {
    int zones = 0;
    int changes = 0;
    int scenarios = 0;
    int64_t ticks = 0;
    int mismatches = 0;
};

std::map<int64_t, int64_t> pairs(const QString& list) {
    std::map<int64_t, int64_t> out;
    for (const QString& item : list.split(',', Qt::SkipEmptyParts)) {
        const QStringList kv = item.split(':');
        out[kv.value(0).toLongLong()] = kv.value(1).toLongLong();
    }
    return out;
}

class Scenario {
public:
    Scenario(const QString& line, const QString& zone, Figures& f)
        : line_(line), zone_(zone), f_(f) {
        const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
        kind_ = parts.value(0);
        param_ = parts.value(1);
        for (const QString& run : parts.value(2).split(',')) {
            runs_.emplace_back(run.section(':', 0, 0).toLongLong(),
                               run.section(':', 1, 1).toLongLong());
        }
        for (qsizetype i = 3; i < parts.size(); ++i) {
            expect_[parts[i].section('=', 0, 0)] = parts[i].section('=', 1);
        }
    }

    void run() {
        ClockModel model(clock_);
        std::vector<int64_t> alarms;
        std::vector<int64_t> announced;
        QObject::connect(&model, &ClockModel::ring, [&](RingKind kind) {
            (kind == RingKind::Alarm ? alarms : announced)
                .push_back(model.instant().time_since_epoch().count());
        });
        const std::map<int64_t, int64_t> countdowns = pairs(expect_.value("cd"));
        const std::map<int64_t, int64_t> punches = pairs(expect_.value("punch"));
        if (kind_ == "announce") {
            model.setAnnounceInterval(param_.toInt());
        }
        clock_.at(runs_.front().first - 1);
        model.start(clock_.now());
        bool first = true;
        for (const auto& [from, to] : runs_) {
            for (int64_t t = from; t <= to; ++t) {
                clock_.at(t);
                model.tick(clock_.now());
                ++f_.ticks;
                if (first) {
                    first = false;
                    act(model);
                }
                if (const auto c = countdowns.find(t); c != countdowns.end()) {
                    check("countdown at " + std::to_string(t), model.countdown(), c->second);
                }
                if (const auto p = punches.find(t); p != punches.end()) {
                    check("punch minutes at " + std::to_string(t),
                          model.punchMinutes().value_or(-1), p->second);
                }
            }
        }
        if (expect_.contains("ring")) {
            check("alarm rings", static_cast<int64_t>(alarms.size()), 1);
            check("alarm rang at", alarms.empty() ? -1 : alarms.front(),
                  expect_.value("ring").toLongLong());
        }
        if (expect_.contains("rings")) {
            std::vector<int64_t> wanted;
            for (const QString& t : expect_.value("rings").split(',', Qt::SkipEmptyParts)) {
                wanted.push_back(t.toLongLong());
            }
            if (announced != wanted) {
                mismatch("announcements", join(announced), join(wanted));
            }
        }
    }

private:
    void act(ClockModel& model) {
        if (kind_ == "preset") {
            model.setAlarmIn(param_.toInt());
        } else if (kind_ == "typed") {
            model.setAlarm(QTime::fromString(param_, QStringLiteral("h:mm")));
        } else if (kind_ == "punch") {
            model.togglePunch();
        }
        if (expect_.contains("alarm")) {
            check("alarm instant",
                  model.alarmAt() ? model.alarmAt()->time_since_epoch().count() : -1,
                  expect_.value("alarm").toLongLong());
            if (timeText(model.alarmTime()) != expect_.value("text")) {
                mismatch("alarm time", timeText(model.alarmTime()).toStdString(),
                         expect_.value("text").toStdString());
            }
        }
    }
    void check(const std::string& what, int64_t got, int64_t wanted) {
        if (got != wanted) {
            mismatch(what, std::to_string(got), std::to_string(wanted));
        }
    }
    void mismatch(const std::string& what, const std::string& got, const std::string& wanted) {
        ++f_.mismatches;
        if (f_.mismatches <= 50) {
            std::cout << zone_.toStdString() << ": " << line_.left(160).toStdString() << "\n  "
                      << what << ": " << got << ", the oracle says " << wanted << "\n";
        }
    }
    static std::string join(const std::vector<int64_t>& v) {
        std::string s;
        for (const int64_t t : v) {
            s += (s.empty() ? "" : ",") + std::to_string(t);
        }
        return s;
    }

    QString line_;
    QString zone_;
    Figures& f_;
    QString kind_;
    QString param_;
    std::vector<std::pair<int64_t, int64_t>> runs_;
    QMap<QString, QString> expect_;
    ScriptedClock clock_;
};

} // namespace

int main() {
    Figures f;
    QString zone;
    const auto started = std::chrono::steady_clock::now();
    std::string raw;
    while (std::getline(std::cin, raw)) {
        const QString line = QString::fromStdString(raw);
        if (line.startsWith(QLatin1String("Z "))) {
            const QString name = line.section(' ', 1, 1);
            if (name != zone) {
                zone = name;
                ++f.zones;
                setenv("TZ", zone.toLocal8Bit().constData(), 1);
                tzset();
            }
            ++f.changes;
            continue;
        }
        if (line.isEmpty()) {
            continue;
        }
        ++f.scenarios;
        Scenario(line, zone, f).run();
    }
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::cout << "[ tzcheck ] " << f.zones << " zones, " << f.changes << " offset changes, "
              << f.scenarios << " scenarios, " << f.ticks << " ticks in " << took.count()
              << " s: " << f.mismatches << " mismatches\n";
    return f.mismatches == 0 && f.scenarios > 0 ? 0 : 1;
}
