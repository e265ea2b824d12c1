#include "controls/describe.h"

#include "controls/image_control.h"
#include "platform/console.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace velto {

namespace {

/// The description, kept as a child of the control so that it goes with it.
class Description final : public QObject {
    Q_OBJECT
public:
    Description(ImageControl& control, ControlInfo info)
        : QObject(&control), info_(std::move(info)) {
        control.installEventFilter(this);
    }

    [[nodiscard]] const ControlInfo& info() const { return info_; }
    [[nodiscard]] QString value() const { return info_.value ? info_.value() : QString(); }
    [[nodiscard]] QString tip() const { return info_.tip ? info_.tip() : QString(); }
    QString announced; // the value screen readers were last told

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return false;
        }
        // The words follow the state: the tooltip is made when it is about to show.
        const QString text = tip();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text,
                               static_cast<QWidget*>(watched));
        }
        return true;
    }

private:
    ControlInfo info_;
};

const Description* descriptionOf(const QObject& control) {
    return control.findChild<const Description*>(QString(), Qt::FindDirectChildrenOnly);
}

/// A described picture control as Qt's accessibility sees it. The description is looked up
/// on each question, so a control described after Qt first asked about it is still right.
class ControlAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ControlAccessible(QWidget* control) : QAccessibleWidget(control) {}

    [[nodiscard]] const Description* description() const { return descriptionOf(*object()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface && scale() != nullptr) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    // A slider as a number.
    [[nodiscard]] QVariant currentValue() const override {
        const ControlInfo::Scale* s = scale();
        return s != nullptr ? QVariant(s->current()) : QVariant();
    }
    void setCurrentValue(const QVariant& value) override {
        const ControlInfo::Scale* s = scale();
        if (s == nullptr) {
            return;
        }
        bool number = false;
        const double wanted = value.toDouble(&number);
        if (!number) {
            qCWarning(lcAccess, "%s takes a number from %d to %d, not \"%s\"",
                      qPrintable(description()->info().name), s->minimum, s->maximum,
                      qPrintable(value.toString()));
            return;
        }
        // A screen reader steps past the ends as a key does; the slider stops there.
        s->set(static_cast<int>(
            std::clamp(std::round(wanted), double(s->minimum), double(s->maximum))));
        announceChanges(*widget()->window());
    }
    [[nodiscard]] QVariant maximumValue() const override {
        const ControlInfo::Scale* s = scale();
        return s != nullptr ? QVariant(s->maximum) : QVariant();
    }
    [[nodiscard]] QVariant minimumValue() const override {
        const ControlInfo::Scale* s = scale();
        return s != nullptr ? QVariant(s->minimum) : QVariant();
    }
    [[nodiscard]] QVariant minimumStepSize() const override { return 1; }

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        const Description* desc = description();
        if (desc == nullptr) {
            return QAccessibleWidget::text(t);
        }
        switch (t) {
        case QAccessible::Name:
            return desc->info().name;
        case QAccessible::Value:
            return desc->value();
        case QAccessible::Description: {
            // Bridges that have no place for a value in words (AT-SPI) read it from here.
            const QString value = desc->value();
            const QString tip = desc->tip();
            return value.isEmpty() ? tip
                   : tip.isEmpty() ? value
                                   : value + QStringLiteral(". ") + tip;
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    [[nodiscard]] QAccessible::Role role() const override {
        const Description* desc = description();
        return desc != nullptr ? desc->info().role : QAccessibleWidget::role();
    }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (const Description* desc = description(); desc != nullptr && desc->info().part) {
            s.invisible = true;
        }
        return s;
    }

    [[nodiscard]] QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (const Description* desc = description();
            desc != nullptr && desc->info().role == QAccessible::Button) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && description() != nullptr) {
            pressControl(*static_cast<ImageControl*>(widget()));
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    [[nodiscard]] const ControlInfo::Scale* scale() const {
        const Description* desc = description();
        return desc != nullptr && desc->info().scale ? &*desc->info().scale : nullptr;
    }
};

/// The role a window was given, kept as its child.
class WindowRole final : public QObject {
    Q_OBJECT
public:
    WindowRole(QWidget& window, QAccessible::Role role) : QObject(&window), role_(role) {}
    [[nodiscard]] QAccessible::Role role() const { return role_; }

private:
    QAccessible::Role role_;
};

const WindowRole* windowRoleOf(const QObject& window) {
    return window.findChild<const WindowRole*>(QString(), Qt::FindDirectChildrenOnly);
}

QAccessibleInterface* controlFactory(const QString&, QObject* object) {
    if (object != nullptr && object->inherits("velto::ImageControl")) {
        return new ControlAccessible(static_cast<QWidget*>(object));
    }
    if (object != nullptr && object->isWidgetType()) {
        // Without a role of its own a plain widget window would be a nameless pane.
        if (const WindowRole* role = windowRoleOf(*object); role != nullptr) {
            return new QAccessibleWidget(static_cast<QWidget*>(object), role->role());
        }
    }
    return nullptr;
}

/// The control's value now, as a screen reader hears it; empty without a description.
QString describedValue(const QWidget& control) {
    const Description* desc = descriptionOf(control);
    return desc != nullptr ? desc->value() : QString();
}

} // namespace

void describeControl(ImageControl& control, ControlInfo info) {
    delete descriptionOf(control);
    new Description(control, std::move(info));
}

void describeWindow(QWidget& window, QAccessible::Role role) {
    delete windowRoleOf(window);
    new WindowRole(window, role);
}

void announceAlert(QWidget& window) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent alert(&window, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void pressControl(ImageControl& control) {
    const QPoint middle = control.rect().center();
    emit control.mouseDown(Qt::LeftButton, middle);
    emit control.mouseUp(Qt::LeftButton, middle);
    emit control.buttonClicked(Qt::LeftButton);
    emit control.clicked();
}

QList<QObject*> takeChangedValues(const QWidget& root) {
    QList<QObject*> changed;
    for (Description* desc : root.findChildren<Description*>()) {
        if (!desc->info().value || desc->info().part) {
            continue;
        }
        QString now = desc->value();
        if (now != desc->announced) {
            desc->announced = std::move(now);
            changed.append(desc->parent());
        }
    }
    return changed;
}

void announceChanges(const QWidget& root) {
    if (!QAccessible::isActive()) {
        return;
    }
    for (QObject* control : takeChangedValues(root)) {
        QAccessibleValueChangeEvent value(control, describedValue(*static_cast<QWidget*>(control)));
        QAccessible::updateAccessibility(&value);
        QAccessibleEvent description(control, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&description);
    }
}

void installControlAccessibility() {
    QAccessible::installFactory(controlFactory);
}

void connectScreenReaderBridge() {
    (void)QAccessible::isActive(); // makes the bridge, which connects
}

} // namespace velto

#include "describe.moc"
