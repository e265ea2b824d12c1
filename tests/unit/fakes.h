#pragma once
// Fakes of the desktop seams, a fixture with the model alone on the fake clock, and one that
// builds the whole program from them.

#include "app/velto_app.h"
#include "platform/console.h"
#include "platform/seams.h"
#include "views/main_window.h"
#include "views/ringer.h"
#include "views/window_presence.h"

#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QStringList>
#include <QTest>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace velto::test {

/// An instant in UTC, to set the clock with: `utc(2026, 10, 25, 0, 58, 59)`.
inline qint64 utc(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()).toMSecsSinceEpoch();
}

/// The clock keeps the instant and the zone, never a local time: a local time that the zone
/// repeats would name two instants.
class FakeClock final : public Clock {
public:
    [[nodiscard]] ClockReading now() const override {
        return {std::chrono::sys_time<std::chrono::milliseconds>{std::chrono::milliseconds{ms_}},
                sinceBoot_};
    }
    [[nodiscard]] std::chrono::seconds
    utcOffsetAt(std::chrono::sys_seconds instant) const override {
        const auto at = QDateTime::fromSecsSinceEpoch(instant.time_since_epoch().count(), Qt::UTC);
        return std::chrono::seconds{zone_.offsetFromUtc(at)};
    }
    /// The clock set to `msSinceEpoch` (see utc()), in the zone it had: no time passes.
    void set(qint64 msSinceEpoch) { ms_ = msSinceEpoch; }
    /// The clock set to `msSinceEpoch` in `zone`: no time passes.
    void set(qint64 msSinceEpoch, const QTimeZone& zone) {
        ms_ = msSinceEpoch;
        zone_ = zone;
    }
    [[nodiscard]] qint64 msSinceEpoch() const { return ms_; }
    /// The clock as its zone shows it now.
    [[nodiscard]] QDateTime wallClock() const { return QDateTime::fromMSecsSinceEpoch(ms_, zone_); }
    /// Sets the wall-clock time "hh:mm:ss" of `day` in the clock's zone (the tests run in one
    /// with daylight saving, as the real clock does); a time the day repeats is its first.
    void at(const QString& hms, QDate day = QDate(2026, 12, 8)) {
        ms_ = QDateTime(day, QTime::fromString(hms, QStringLiteral("hh:mm:ss")), zone_)
                  .toMSecsSinceEpoch();
    }
    /// The machine's run time, for a test that keeps real time itself.
    void setRunTime(std::chrono::milliseconds t) { sinceBoot_ = t; }
    /// Real time passes: across a change of daylight saving the wall clock jumps.
    void advance(int seconds) {
        ms_ += qint64{seconds} * 1000;
        sinceBoot_ += std::chrono::seconds{seconds};
    }

private:
    QTimeZone zone_ = QTimeZone::systemTimeZone();
    qint64 ms_ = QDateTime(QDate(2026, 12, 8), QTime(12, 0, 0), zone_).toMSecsSinceEpoch();
    std::chrono::milliseconds sinceBoot_{3'600'000}; // the machine has run an hour
};

class FakeTicker final : public Ticker {
public:
    void start(std::function<void()> onTick) override { onTick_ = std::move(onTick); }
    void stop() override { onTick_ = nullptr; }
    void restFor(std::chrono::milliseconds span) override { rest = span; }
    void resume() override { rest.reset(); }
    void fire() {
        rest.reset();
        if (onTick_) {
            onTick_();
        }
    }
    [[nodiscard]] bool running() const { return static_cast<bool>(onTick_); }
    /// What the last firing asked for: a rest, or none (the next whole second).
    std::optional<std::chrono::milliseconds> rest;

private:
    std::function<void()> onTick_;
};

class FakeSound final : public SoundPlayer {
public:
    bool prepare(const QString& path) override {
        prepared.append(path);
        return works;
    }
    bool play(const QString& path, const Playing& how = {}) override {
        played.append(path);
        volume = how.volume;
        repeating = how.repeat;
        playing = true;
        if (onPlay) {
            onPlay();
        }
        return works;
    }
    void setVolume(double v) override { volume = v; }
    void stop() override { playing = false; }
    [[nodiscard]] QString error() const override { return why; }
    void onChanged(std::function<void()> handler) override { changed = std::move(handler); }
    /// Sound goes (`because`) or comes back (empty) between rings, as the player finds out.
    void change(const QString& because) {
        works = because.isEmpty();
        why = because;
        if (changed) {
            changed();
        }
    }
    QStringList prepared;
    QStringList played;
    double volume = 0;
    bool repeating = false;
    bool playing = false; // from play() until stop()
    bool works = true;
    QString why = QStringLiteral("fake failure");
    std::function<void()> onPlay; // runs inside play()
    std::function<void()> changed;
};

/// A notification area that may be missing (`available`) and may turn up later (appear()).
/// The icon and the menu are kept as a user would see them; click() and choose() act on them.
class FakeTray final : public TrayIcon {
public:
    bool add(const QIcon& i, const QString& t) override {
        ++adds;
        keep(i, t);
        shown = available;
        return available;
    }
    bool modify(const QIcon& i, const QString& t) override {
        keep(i, t);
        return shown;
    }
    void remove() override {
        shown = false;
        ++removals;
    }
    [[nodiscard]] bool visible() const override { return shown; }
    void setMenu(std::vector<TrayMenuItem> m) override { menu = std::move(m); }
    void setMenuCaption(int index, const QString& caption) override {
        menu.at(static_cast<size_t>(index)).caption = caption;
    }
    void onClick(std::function<void(TrayClick)> h) override { clickHandler = std::move(h); }
    void onAreaAppeared(std::function<void()> h) override { appearHandler = std::move(h); }
    void onAreaStillMissing(std::function<void()> h) override { missingHandler = std::move(h); }
    void onAreaGone(std::function<void()> h) override { goneHandler = std::move(h); }

    /// The captions of the menu, "-" for a separator.
    [[nodiscard]] QStringList captions() const {
        QStringList out;
        for (const TrayMenuItem& item : menu) {
            if (!item.shown || item.shown()) {
                out.append(item.caption.isEmpty() ? QStringLiteral("-") : item.caption);
            }
        }
        return out;
    }
    /// Chooses the menu entry with `caption`.
    void choose(const QString& caption) {
        for (const TrayMenuItem& item : menu) {
            if (item.caption == caption && (!item.shown || item.shown())) {
                ASSERT_TRUE(item.onChosen) << qPrintable(caption);
                item.onChosen();
                return;
            }
        }
        FAIL() << "no menu entry " << qPrintable(caption);
    }
    void click(TrayClick how) {
        ASSERT_TRUE(clickHandler);
        clickHandler(how);
    }
    /// A panel with a notification area starts.
    void appear() {
        available = true;
        if (appearHandler) {
            appearHandler();
        }
    }

    /// The panel that held the icon ends.
    void vanish() {
        available = false;
        shown = false;
        ASSERT_TRUE(goneHandler);
        goneHandler();
    }

    /// The seconds after a failed add() passed, and no panel came.
    void stillMissing() {
        ASSERT_TRUE(missingHandler);
        missingHandler();
    }

    bool available = true;
    bool shown = false;
    int adds = 0;
    int removals = 0;
    QString tip;
    qint64 iconKey = 0; // the cacheKey of the icon last given
    std::vector<TrayMenuItem> menu;
    std::function<void(TrayClick)> clickHandler;
    std::function<void()> appearHandler;
    std::function<void()> missingHandler;
    std::function<void()> goneHandler;

private:
    void keep(const QIcon& i, const QString& t) {
        iconKey = i.cacheKey();
        tip = t;
    }
};

/// Every box shown stays in `shown`; `up` holds those that no one took away.
class FakeMessages final : public MessageBoxes {
public:
    int inform(const QString& title, const QString& text) override {
        shown.append(title + QStringLiteral(": ") + text);
        up.append(static_cast<int>(shown.size()) - 1);
        return up.back();
    }
    void withdraw(int id) override { up.removeAll(id); }
    QStringList shown;
    QList<int> up;
};

class FakeUrls final : public UrlOpener {
public:
    void open(const QString& url) override { opened.append(url); }
    QStringList opened;
};

class FakeInstance final : public InstanceGuard {
public:
    bool claim() override { return first; }
    void onActivationRequest(std::function<void()> h) override { handler = std::move(h); }
    void onCommand(std::function<QByteArray(const QByteArray&)> h) override {
        commands = std::move(h);
    }
    bool first = true;
    std::function<void()> handler;
    std::function<QByteArray(const QByteArray&)> commands;
};

class FakeDesktop final : public Desktop {
public:
    bool startSystemMove(QWidget&) override {
        ++moves;
        return true;
    }
    void endProcess() override {
        ++ends;
        if (endsEventLoop) {
            QCoreApplication::exit(0); // as the real desktop does
        }
    }
    bool endsEventLoop = false;
    [[nodiscard]] QString programFolder() const override { return folder; }
    [[nodiscard]] bool managesOwnWindows() const override { return manages; }
    QString folder = QStringLiteral("/opt/velto");
    bool manages = true;
    int moves = 0;
    int ends = 0;
};

/// Start at login that a test switches, or makes fail with `refusal`.
class FakeLoginStart final : public LoginStart {
public:
    [[nodiscard]] bool enabled() const override { return on; }
    bool setEnabled(bool wanted, QString* why) override {
        if (!refusal.isEmpty()) {
            *why = refusal;
            return false;
        }
        on = wanted;
        return true;
    }
    bool on = false;
    QString refusal;
};

/// The notifications posted, each as "title: body".
class FakeNotifier final : public Notifier {
public:
    void notify(const QString& title, const QString& body) override {
        posted.append(title + QStringLiteral(": ") + body);
    }
    void notify(const QString& title, const QString& body, const std::vector<NoticeAction>& actions,
                std::function<void(const QString&)> onAction) override {
        notify(title, body);
        offered.clear();
        for (const NoticeAction& a : actions) {
            offered.append(a.id);
        }
        pick = std::move(onAction);
    }
    QStringList posted;
    QStringList offered;                      // the ids of the last notice's actions
    std::function<void(const QString&)> pick; // the user picks one of them
};

/// Players paused and resumed, as counts.
class FakeMediaPlayers final : public MediaPlayers {
public:
    void pausePlaying() override { ++paused; }
    void resumePaused() override { ++resumed; }
    int paused = 0;
    int resumed = 0;
};

/// Collects the lines the program's own logging categories say on the console while it
/// lives, as the user reads them; Qt's own messages pass by.
class Console {
public:
    Console() {
        lines().clear();
        previous_ = qInstallMessageHandler(&Console::collect);
    }
    ~Console() { qInstallMessageHandler(previous_); }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    static QStringList& lines() {
        static QStringList said;
        return said;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& text) {
        const QString line = consoleLine(context, text);
        if (!line.isEmpty()) {
            lines().append(line);
        }
    }
    QtMessageHandler previous_;
};

/// Settings kept in memory.
class FakeSettings final : public SettingsStore {
public:
    QVariantMap load() override { return kept; }
    void setAside(const QString& why) override { setAsideFor.append(why); }
    bool save(const QVariantMap& values) override {
        if (!writable) {
            return false;
        }
        kept = values;
        ++saves;
        return true;
    }
    QVariantMap kept;
    QStringList setAsideFor;
    int saves = 0;
    bool writable = true; // false: a full disk
};

/// Element `index` of element array `name` among the controls of `window`, found by its
/// object name, "name(index)", as any tool finds a window's children.
inline ImageControl* element(const QWidget& window, const char* name, int index) {
    return window.findChild<ImageControl*>(
        QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index));
}

/// The controls of the main window, found by their element names. The window keeps its
/// controls to itself; a test reaches them as a user's tool would, by name.
struct MainControls {
    explicit MainControls(const QWidget& window) {
        const auto one = [&window](const char* name) {
            auto* c = window.findChild<ImageControl*>(QLatin1String(name));
            EXPECT_NE(c, nullptr) << name;
            return c;
        };
        const auto array = [&window](const char* name, auto& into, size_t first = 0) {
            for (size_t i = first; i < into.size(); ++i) {
                into[i] = element(window, name, static_cast<int>(i));
                EXPECT_NE(into[i], nullptr) << name << '(' << i << ')';
            }
        };
        imgHeader = one("imgHeader");
        imgHeaderX = one("imgHeaderX");
        imgHeaderV = one("imgHeaderV");
        array("imgPunchUp", imgPunchUp, 1);
        array("imgTime", imgTime);
        array("imgCorrect", imgCorrect);
        array("imgAlarm", imgAlarm);
        array("imgSet", imgSet);
        picClock = window.findChild<PictureBox*>(QStringLiteral("picClock"));
        array("imgFixed", imgFixed);
        imgPunch = one("imgPunch");
        imgEach = one("imgEach");
        imgCenter = one("imgCenter");
        imgMark = one("imgMark");
        // The hot spots beyond the first come with start-up.
        for (int i = 0; ImageControl* spot = element(window, "imgHotSpot", i); ++i) {
            imgHotSpot.push_back(spot);
        }
    }
    ImageControl* imgHeader;
    ImageControl* imgHeaderX;
    ImageControl* imgHeaderV;
    std::array<ImageControl*, 13> imgPunchUp{}; // 1..12; element 0 does not exist
    std::array<ImageControl*, 5> imgTime{};
    std::array<ImageControl*, 4> imgCorrect{};
    std::array<ImageControl*, 5> imgAlarm{};
    std::array<ImageControl*, 7> imgSet{};
    PictureBox* picClock;
    std::array<ImageControl*, 10> imgFixed{};
    ImageControl* imgPunch;
    ImageControl* imgEach;
    ImageControl* imgCenter;
    ImageControl* imgMark;
    std::vector<ImageControl*> imgHotSpot;
};

/// Ticks with `tickAfter` once a second until `model` reads `hms` (same day, or the next).
template <class TickAfter>
void tickUntilReads(const ClockModel& model, const QString& hms, TickAfter tickAfter) {
    for (int i = 0; i < 2 * 86400 && timeText(model.time()) != hms; ++i) {
        tickAfter(1);
    }
    ASSERT_EQ(timeText(model.time()), hms);
}

/// The clock's model alone on the fake clock, set up as the program starts it: for the rules
/// that the model holds by itself, with no window, pictures or other seams to build.
class ModelTest : public ::testing::Test {
protected:
    FakeClock clock;

    void SetUp() override {
        // The rules are checked where the wall clock jumps, as it does for most users.
        ASSERT_TRUE(QTimeZone::systemTimeZone().hasDaylightTime());
        QObject::connect(&model_, &ClockModel::ring, &model_, [this](RingKind) { ++rings_; });
    }
    /// Starts at `hms` today.
    void startAt(const QString& hms) {
        clock.at(hms);
        model_.start(clock.now());
        setStartDefaults(model_);
    }
    /// One tick at the clock's reading, as the ticker's firing gives it.
    void fire() { model_.tick(clock.now()); }
    /// Moves the clock by `seconds` and ticks once.
    void tickAfter(int seconds = 1) {
        clock.advance(seconds);
        fire();
    }
    void tickUntil(const QString& hms) {
        tickUntilReads(model_, hms, [this](int s) { tickAfter(s); });
    }
    ClockModel& model() { return model_; }
    /// Rings so far (alarm and announcer alike).
    [[nodiscard]] int rings() const { return rings_; }

private:
    ClockModel model_{clock};
    int rings_ = 0;
};

/// The whole program built from fakes, started at a chosen time.
class ProgramTest : public ::testing::Test {
protected:
    FakeClock clock;
    FakeTicker ticker;
    FakeSound sound;
    FakeTray tray;
    FakeMessages messages;
    FakeUrls urls;
    FakeInstance instance;
    FakeDesktop desktop;
    FakeSettings settings;
    FakeLoginStart login;
    FakeNotifier notifier;
    FakeMediaPlayers media;
    Platform platform{clock,    ticker,  sound,    tray,  messages, urls,
                      instance, desktop, settings, login, notifier, media};
    VeltoApp app{platform};

    // The pointer leaves the spot where this test left it: a move onto the very same spot
    // would be no move at all to the next test's window.
    void TearDown() override { QCursor::setPos(-100, -100); }

    /// Starts the program at `hms` today.
    void startAt(const QString& hms) {
        clock.at(hms);
        ASSERT_TRUE(app.startUp());
    }
    /// Waits for the main window's first frame on the screen and what follows it.
    void showFirstFrame() {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        QCoreApplication::processEvents();
    }
    /// Moves the clock by `seconds` and fires the ticker once.
    void tickAfter(int seconds = 1) {
        clock.advance(seconds);
        ticker.fire();
    }
    /// Ticks once a second until the clock reads `hms` (same day, or the next).
    void tickUntil(const QString& hms) {
        tickUntilReads(app.model(), hms, [this](int s) { tickAfter(s); });
    }
    ClockModel& model() { return app.model(); }
    MainWindow& window() { return app.mainWindow(); }
    /// The main window's controls.
    MainControls w() { return MainControls(window()); }
    /// Where the face's hands run now.
    const FaceGeometry& hands() { return window().faceGeometry(); }
    /// The ring's window while it is open.
    AlarmWindow* alarmWindow() { return app.ringer().window(); }
    /// Shows depot element (a, i) on `control`, as the program would.
    void show(ImageControl& control, DepotArray a, int i) { app.depot().show(control, a, i); }
    /// The depot element a control shows.
    static PictureRef ref(DepotArray a, int i) { return Depot::ref(a, i); }
    /// The hh:mm a read-out shows (the main one unless told), "--:--" style for blanks.
    static QString shows(const std::array<ImageControl*, 5>& readout) {
        QString t;
        for (int e = 0; e < 5; ++e) {
            const int i = readout[static_cast<size_t>(e)]->picture().index;
            if (e == 2) {
                t += i == kLitColon ? ':' : i == kUnlitColon ? '.' : '?';
            } else {
                t += i >= 0 && i <= 9 ? QString::number(i) : QStringLiteral("-");
            }
        }
        return t;
    }
    QString readout() { return shows(w().imgTime); }
    QString alarmReadout() { return shows(w().imgAlarm); }
    /// The two countdown digits, as depot indexes (kBlankSmall is blank).
    std::pair<int, int> countdownDigits() {
        return {w().imgSet[0]->picture().index, w().imgSet[1]->picture().index};
    }
    /// Rings heard so far (alarm and announcer alike).
    [[nodiscard]] int rings() const { return static_cast<int>(sound.played.size()); }
};

} // namespace velto::test
