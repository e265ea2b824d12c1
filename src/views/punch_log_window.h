#pragma once
// The punch log as the user reads it: sessions grouped by week and local day, newest first,
// with the totals; a session corrected or deleted (with an undo), and the shown range
// exported.

#include "observers/punch_export.h"
#include "observers/punch_log.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace velto {

class PunchLogWindow final : public QWidget {
    Q_OBJECT
public:
    PunchLogWindow(PunchLog& log, ClockModel& model, QWidget* parent = nullptr);

    /// Shows the window, or brings it forward when it is open.
    void bringUp();
    /// The sessions shown now, oldest first.
    [[nodiscard]] const std::vector<PunchSession>& shown() const { return shown_; }
    [[nodiscard]] QStandardItemModel& rows() const { return *rows_; }
    /// What the window says under the table (a refusal, a failure, a deletion to undo).
    [[nodiscard]] QString notice() const;

    /// Moves session `id` to `start`..`end`; refused with a word below the table when the
    /// end comes first or another session overlaps.
    bool correct(qint64 id, const QDateTime& start, const std::optional<QDateTime>& end);
    /// Deletes session `id`; undo() puts it back.
    bool remove(qint64 id);
    void undo();
    /// Writes the shown range to `path`.
    bool exportTo(const QString& path, ExportFormat format);

private:
    void reload();
    void refill();
    [[nodiscard]] std::optional<PunchSession> selected() const;
    void askCorrection();
    void askExport();
    void tell(const QString& text);

    PunchLog& log_;
    ClockModel& model_;
    QComboBox* range_;
    QTreeView* view_;
    QStandardItemModel* rows_;
    QLabel* notice_;
    QPushButton* undo_;
    std::vector<PunchSession> shown_;
    std::optional<PunchSession> removed_;
};

} // namespace velto
