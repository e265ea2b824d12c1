#include "views/punch_log_window.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <map>

namespace velto {

using std::chrono::seconds;

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
enum Column { When, Start, End, Worked, Columns };
enum class Range { Week, Month, All };

QString hoursAndMinutes(seconds s) {
    const auto m = std::chrono::floor<std::chrono::minutes>(s).count();
    return QStringLiteral("%1:%2").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
}

/// A time of day in a session's row; its seconds are only noise there.
QString timeOf(const QDateTime& t) {
    return t.time().toString(QStringLiteral("HH:mm"));
}

QDateTime local(Instant t) {
    return QDateTime::fromSecsSinceEpoch(t.time_since_epoch().count(), QTimeZone::systemTimeZone());
}

Instant instantAt(const QDateTime& t) {
    return Instant{seconds{t.toSecsSinceEpoch()}};
}

/// The first day of the week `day` is in, as the user's locale begins weeks.
QDate weekOf(QDate day) {
    const int first = QLocale().firstDayOfWeek();
    return day.addDays(-((day.dayOfWeek() - first + 7) % 7));
}

QList<QStandardItem*> row(const QString& when, const QString& start, const QString& end,
                          const QString& worked) {
    QList<QStandardItem*> items;
    for (const QString& text : {when, start, end, worked}) {
        auto* item = new QStandardItem(text);
        item->setEditable(false);
        items.append(item);
    }
    items[Worked]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return items;
}

} // namespace

PunchLogWindow::PunchLogWindow(PunchLog& log, ClockModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log), model_(model), range_(new QComboBox(this)),
      view_(new QTreeView(this)), rows_(new QStandardItemModel(this)), notice_(new QLabel(this)),
      undo_(new QPushButton(tr("&Undo"), this)) {
    setWindowTitle(tr("Punch log"));
    setObjectName(QStringLiteral("punchLog"));
    range_->addItem(tr("This week"), static_cast<int>(Range::Week));
    range_->addItem(tr("Last 30 days"), static_cast<int>(Range::Month));
    range_->addItem(tr("Everything"), static_cast<int>(Range::All));
    range_->setCurrentIndex(1);
    auto* rangeLabel = new QLabel(tr("&Show:"), this);
    rangeLabel->setBuddy(range_);

    rows_->setHorizontalHeaderLabels({tr("Day"), tr("Start"), tr("End"), tr("Worked")});
    view_->setModel(rows_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setAlternatingRowColors(true);
    view_->setUniformRowHeights(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->header()->setStretchLastSection(false);
    view_->header()->setSectionResizeMode(When, QHeaderView::Stretch);

    auto* correct = new QPushButton(tr("&Correct..."), this);
    auto* remove = new QPushButton(tr("&Delete"), this);
    auto* exporting = new QPushButton(tr("&Export..."), this);
    undo_->setEnabled(false);
    notice_->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(rangeLabel);
    top->addWidget(range_);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(correct);
    buttons->addWidget(remove);
    buttons->addWidget(undo_);
    buttons->addStretch();
    buttons->addWidget(exporting);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    layout->addWidget(notice_);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(range_, &QComboBox::currentIndexChanged, this, &PunchLogWindow::reload);
    connect(correct, &QPushButton::clicked, this, &PunchLogWindow::askCorrection);
    connect(view_, &QTreeView::doubleClicked, this, &PunchLogWindow::askCorrection);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (const auto s = selected()) {
            this->remove(s->id);
        }
    });
    connect(undo_, &QPushButton::clicked, this, &PunchLogWindow::undo);
    connect(exporting, &QPushButton::clicked, this, &PunchLogWindow::askExport);
    connect(&log_, &PunchLog::changed, this, &PunchLogWindow::reload);
    // A running session's minutes go on.
    connect(&model_, &ClockModel::punchChanged, this, [this] {
        if (isVisible()) {
            reload();
        }
    });
    reload();
}

void PunchLogWindow::bringUp() {
    reload();
    show();
    raise();
    activateWindow();
}

QString PunchLogWindow::notice() const {
    return notice_->text();
}

void PunchLogWindow::tell(const QString& text) {
    notice_->setText(text);
}

void PunchLogWindow::reload() {
    const auto range = static_cast<Range>(range_->currentData().toInt());
    const QDate today = local(model_.instant()).date();
    std::optional<QDate> from;
    if (range == Range::Week) {
        from = weekOf(today);
    } else if (range == Range::Month) {
        from = today.addDays(-29);
    }
    const ExportRange r = rangeOfDays(from, std::nullopt, QTimeZone::systemTimeZone());
    if (const auto read = log_.store().sessions(r.from, r.to)) {
        shown_ = *read;
    } else {
        tell(tr("The punch log cannot be read: %1").arg(log_.store().error()));
    }
    refill();
}

void PunchLogWindow::refill() {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const Instant now = model_.instant();
    const QLocale locale;
    // The minute's refill of a running session keeps the user's choice of row.
    const std::optional<PunchSession> chosen = selected();
    QModelIndex chosenAgain;
    std::map<QDate, seconds> days;
    for (const DayTotal& d : dayTotals(shown_, zone, now)) {
        days[d.day] = d.worked;
    }
    std::map<QDate, std::vector<const PunchSession*>> byDay; // by the day each began
    for (const PunchSession& s : shown_) {
        byDay[local(s.start).date()].push_back(&s);
    }
    rows_->removeRows(0, rows_->rowCount());
    QStandardItem* week = nullptr;
    QDate weekShown;
    std::map<QDate, seconds> weeks;
    for (const auto& [day, worked] : days) {
        weeks[weekOf(day)] += worked;
    }
    for (auto d = days.rbegin(); d != days.rend(); ++d) {
        const QDate day = d->first;
        if (week == nullptr || weekOf(day) != weekShown) {
            weekShown = weekOf(day);
            const auto items =
                row(tr("Week of %1").arg(locale.toString(weekShown, QLocale::ShortFormat)), {}, {},
                    hoursAndMinutes(weeks[weekShown]));
            QFont bold = items[When]->font();
            bold.setBold(true);
            for (QStandardItem* item : items) {
                item->setFont(bold);
            }
            rows_->appendRow(items);
            week = items[When];
        }
        const auto dayItems =
            row(locale.toString(day, QLocale::LongFormat), {}, {}, hoursAndMinutes(d->second));
        week->appendRow(dayItems);
        auto list = byDay[day];
        for (auto s = list.rbegin(); s != list.rend(); ++s) {
            const PunchSession& session = **s;
            const auto items = row({}, timeOf(local(session.start)),
                                   session.end ? timeOf(local(*session.end)) : tr("running"),
                                   hoursAndMinutes(session.worked(now)));
            items[When]->setData(session.id, kIdRole);
            dayItems[When]->appendRow(items);
            if (chosen && chosen->id == session.id) {
                chosenAgain = items[When]->index();
            }
        }
    }
    view_->expandAll();
    if (chosenAgain.isValid()) {
        view_->setCurrentIndex(chosenAgain);
    }
    for (int c = Start; c < Columns; ++c) {
        view_->resizeColumnToContents(c);
    }
}

std::optional<PunchSession> PunchLogWindow::selected() const {
    const QModelIndex at = view_->currentIndex().siblingAtColumn(When);
    const QVariant id = at.data(kIdRole);
    if (!id.isValid()) {
        return std::nullopt;
    }
    for (const PunchSession& s : shown_) {
        if (s.id == id.toLongLong()) {
            return s;
        }
    }
    return std::nullopt;
}

bool PunchLogWindow::correct(qint64 id, const QDateTime& start,
                             const std::optional<QDateTime>& end) {
    std::optional<Instant> endAt;
    if (end) {
        endAt = instantAt(*end);
    }
    switch (log_.correct(id, instantAt(start), endAt)) {
    case PunchStore::Edit::Done:
        tell({});
        return true;
    case PunchStore::Edit::EndBeforeStart:
        tell(tr("Not changed: the end must come after the start."));
        break;
    case PunchStore::Edit::Overlaps:
        tell(tr("Not changed: those times overlap another session."));
        break;
    case PunchStore::Edit::NotWritten:
        tell(tr("Not changed: %1").arg(log_.store().error()));
        break;
    }
    return false;
}

bool PunchLogWindow::remove(qint64 id) {
    for (const PunchSession& s : shown_) {
        if (s.id == id && log_.remove(s)) {
            removed_ = s;
            undo_->setEnabled(true);
            tell(tr("Session of %1 deleted.")
                     .arg(QLocale().toString(local(s.start), QLocale::ShortFormat)));
            return true;
        }
    }
    return false;
}

void PunchLogWindow::undo() {
    if (removed_ && log_.putBack(*removed_)) {
        removed_.reset();
        undo_->setEnabled(false);
        tell({});
    }
}

bool PunchLogWindow::exportTo(const QString& path, ExportFormat format) {
    QSaveFile file(path);
    const QByteArray out = exportSessions(shown_, format, QTimeZone::systemTimeZone());
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        tell(tr("Could not export to %1: %2").arg(path, file.errorString()));
        return false;
    }
    tell(tr("Exported to %1.").arg(path));
    return true;
}

void PunchLogWindow::askCorrection() {
    const auto s = selected();
    if (!s) {
        tell(tr("Choose a session to correct."));
        return;
    }
    QDialog ask(this);
    ask.setWindowTitle(tr("Correct session"));
    auto* start = new QDateTimeEdit(local(s->start), &ask);
    auto* end = new QDateTimeEdit(local(s->end.value_or(model_.instant())), &ask);
    end->setEnabled(s->end.has_value()); // a running session ends at its punch-out
    for (QDateTimeEdit* edit : {start, end}) {
        edit->setCalendarPopup(true);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    auto* form = new QFormLayout(&ask);
    form->addRow(tr("&Start:"), start);
    form->addRow(tr("&End:"), end);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    if (ask.exec() == QDialog::Accepted) {
        correct(s->id, start->dateTime(),
                s->end ? std::optional<QDateTime>(end->dateTime()) : std::nullopt);
    }
}

void PunchLogWindow::askExport() {
    const QString csv = tr("CSV (*.csv)");
    const QString json = tr("JSON (*.json)");
    const QString ics = tr("iCalendar (*.ics)");
    QString filter = csv;
    QString path = QFileDialog::getSaveFileName(this, tr("Export the punch log"),
                                                QStringLiteral("punch-log.csv"),
                                                QStringList{csv, json, ics}.join(";;"), &filter);
    if (path.isEmpty()) {
        return;
    }
    const ExportFormat format = filter == json  ? ExportFormat::Json
                                : filter == ics ? ExportFormat::Ics
                                                : ExportFormat::Csv;
    exportTo(path, format);
}

} // namespace velto
