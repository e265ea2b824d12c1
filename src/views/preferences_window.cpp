#include "views/preferences_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>

namespace velto {

namespace {

/// A row of widgets, as one field of the form.
QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets, int stretchAt = -1) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (QWidget* w : widgets) {
        layout->addWidget(w, i++ == stretchAt ? 1 : 0);
    }
    if (stretchAt < 0) {
        layout->addStretch(1);
    }
    return box;
}

QSlider* volumeSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, 100);
    slider->setSingleStep(5);
    slider->setPageStep(10);
    slider->setMinimumWidth(160);
    return slider;
}

} // namespace

PreferencesWindow::PreferencesWindow(ClockModel& model, std::function<void(RingKind)> preview)
    : QDialog(nullptr), model_(model), preview_(std::move(preview)) {
    setObjectName(QStringLiteral("preferencesWindow"));
    setWindowTitle(tr("Velto Preferences"));
    auto* form = new QFormLayout;

    soundFile_ = new QLineEdit(this);
    soundFile_->setObjectName(QStringLiteral("soundFile"));
    soundFile_->setPlaceholderText(tr("The built-in sound"));
    soundFile_->setReadOnly(true);
    soundFile_->setMinimumWidth(180);
    auto* choose = new QPushButton(tr("&Choose..."), this);
    auto* builtIn = new QPushButton(tr("&Built-in"), this);
    builtIn->setToolTip(tr("Ring with the built-in sound"));
    auto* play = new QPushButton(tr("&Play"), this);
    play->setObjectName(QStringLiteral("play"));
    play->setToolTip(tr("Hear the alarm as it rings"));
    auto* soundLabel = new QLabel(tr("Alarm &sound:"), this);
    soundLabel->setBuddy(soundFile_);
    form->addRow(soundLabel, row(this, {soundFile_, choose, builtIn, play}, 0));
    connect(choose, &QPushButton::clicked, this, &PreferencesWindow::chooseFile);
    connect(builtIn, &QPushButton::clicked, this, [this] {
        soundFile_->clear();
        takeChoices();
    });
    connect(play, &QPushButton::clicked, this, [this] { preview_(RingKind::Alarm); });

    const auto volumeRow = [this, form](const QString& caption, QSlider*& slider, QLabel*& percent,
                                        RingKind kind) {
        slider = volumeSlider(this);
        percent = new QLabel(this);
        percent->setMinimumWidth(percent->fontMetrics().horizontalAdvance(QStringLiteral("100 %")));
        auto* label = new QLabel(caption, this);
        label->setBuddy(slider);
        form->addRow(label, row(this, {slider, percent}, 0));
        connect(slider, &QSlider::valueChanged, this, [this] { takeChoices(); });
        // Heard at once: as the slider is let go, and as the keyboard moves it.
        connect(slider, &QSlider::sliderReleased, this, [this, kind] { preview_(kind); });
        connect(slider, &QSlider::actionTriggered, this, [this, slider, kind] {
            if (!slider->isSliderDown()) {
                QMetaObject::invokeMethod(
                    this, [this, kind] { preview_(kind); }, Qt::QueuedConnection);
            }
        });
    };
    volumeRow(tr("&Alarm volume:"), alarmVolume_, alarmPercent_, RingKind::Alarm);
    volumeRow(tr("Announcer v&olume:"), announcerVolume_, announcerPercent_, RingKind::Announcer);

    ringFor_ = new QComboBox(this);
    ringFor_->setObjectName(QStringLiteral("ringFor"));
    for (const int minutes : ClockModel::kRingMinutes) {
        ringFor_->addItem(
            minutes == 0 ? tr("Once") : tr("Until stopped, at most %n minute(s)", nullptr, minutes),
            minutes);
    }
    auto* ringLabel = new QLabel(tr("The alarm &rings:"), this);
    ringLabel->setBuddy(ringFor_);
    form->addRow(ringLabel, row(this, {ringFor_}));

    snooze_ = new QComboBox(this);
    snooze_->setObjectName(QStringLiteral("snooze"));
    for (const int minutes : ClockModel::kSnoozeMinutes) {
        snooze_->addItem(tr("%n minute(s)", nullptr, minutes), minutes);
    }
    auto* snoozeLabel = new QLabel(tr("S&nooze for:"), this);
    snoozeLabel->setBuddy(snooze_);
    form->addRow(snoozeLabel, row(this, {snooze_}));
    for (QComboBox* box : {ringFor_, snooze_}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] { takeChoices(); });
    }

    quiet_ = new QCheckBox(tr("&Quiet from"), this);
    quiet_->setToolTip(tr("The announcer does not ring in these hours"));
    quietFrom_ = new QTimeEdit(this);
    quietTo_ = new QTimeEdit(this);
    auto* to = new QLabel(tr("to"), this);
    to->setBuddy(quietTo_);
    quietFrom_->setAccessibleName(tr("Quiet from"));
    quietTo_->setAccessibleName(tr("Quiet until"));
    for (QTimeEdit* edit : {quietFrom_, quietTo_}) {
        edit->setDisplayFormat(QStringLiteral("HH:mm"));
        connect(edit, &QTimeEdit::timeChanged, this, [this] { takeChoices(); });
    }
    form->addRow(new QLabel(tr("Announcer:"), this), row(this, {quiet_, quietFrom_, to, quietTo_}));
    connect(quiet_, &QCheckBox::toggled, this, [this] { takeChoices(); });

    label_ = new QLineEdit(this);
    label_->setObjectName(QStringLiteral("label"));
    label_->setMaxLength(ClockModel::kLabelLength);
    label_->setPlaceholderText(tr("None"));
    label_->setToolTip(tr("Shown with the alarm: in the tray's tip, the ring's window and its "
                          "notification"));
    auto* labelLabel = new QLabel(tr("Alarm &label:"), this);
    labelLabel->setBuddy(label_);
    form->addRow(labelLabel, label_);
    labelProblem_ = new QLabel(this);
    labelProblem_->setWordWrap(true);
    labelProblem_->hide();
    form->addRow(QString(), labelProblem_);
    connect(label_, &QLineEdit::editingFinished, this, &PreferencesWindow::takeLabel);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        takeLabel();
        hide();
    });
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);

    connect(&model_, &ClockModel::choicesChanged, this, &PreferencesWindow::showChoices);
    connect(&model_, &ClockModel::labelChanged, this, &PreferencesWindow::showChoices);
    showChoices();
}

void PreferencesWindow::bringUp() {
    showChoices();
    show();
    raise();
    activateWindow();
}

void PreferencesWindow::showChoices() {
    showing_ = true;
    const RingChoices& c = model_.choices();
    soundFile_->setText(c.soundFile);
    soundFile_->setToolTip(c.soundFile);
    alarmVolume_->setValue(c.alarmVolume);
    announcerVolume_->setValue(c.announcerVolume);
    alarmPercent_->setText(QStringLiteral("%1 %").arg(c.alarmVolume));
    announcerPercent_->setText(QStringLiteral("%1 %").arg(c.announcerVolume));
    ringFor_->setCurrentIndex(ringFor_->findData(c.ringMinutes));
    snooze_->setCurrentIndex(snooze_->findData(c.snoozeMinutes));
    const bool quiet = c.quietFrom.isValid();
    quiet_->setChecked(quiet);
    quietFrom_->setEnabled(quiet);
    quietTo_->setEnabled(quiet);
    if (quiet) {
        quietFrom_->setTime(c.quietFrom);
        quietTo_->setTime(c.quietTo);
    } else if (!quietFrom_->time().isValid() || quietFrom_->time() == quietTo_->time()) {
        quietFrom_->setTime(QTime(22, 0)); // what most would choose
        quietTo_->setTime(QTime(7, 0));
    }
    if (!label_->hasFocus()) {
        label_->setText(model_.label());
    }
    showing_ = false;
}

void PreferencesWindow::takeChoices() {
    if (showing_) {
        return;
    }
    RingChoices c;
    c.soundFile = soundFile_->text();
    c.alarmVolume = alarmVolume_->value();
    c.announcerVolume = announcerVolume_->value();
    c.ringMinutes = ringFor_->currentData().toInt();
    c.snoozeMinutes = snooze_->currentData().toInt();
    if (quiet_->isChecked()) {
        c.quietFrom = quietFrom_->time();
        c.quietTo = quietTo_->time();
    }
    model_.setChoices(c);
    showChoices(); // also what the model did not take
}

void PreferencesWindow::chooseFile() {
    const QString current = soundFile_->text();
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Alarm sound"), current.isEmpty() ? QString() : QFileInfo(current).path(),
        tr("WAV sounds (*.wav *.wave);;All files (*)"));
    if (!file.isEmpty()) {
        soundFile_->setText(file);
        takeChoices();
    }
}

void PreferencesWindow::takeLabel() {
    const QString why = ClockModel::labelProblem(label_->text());
    labelProblem_->setText(why.isEmpty() ? QString() : tr("Not taken: %1").arg(why));
    labelProblem_->setVisible(!why.isEmpty());
    if (why.isEmpty()) {
        model_.setLabel(label_->text());
    }
}

} // namespace velto
