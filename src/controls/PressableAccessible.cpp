// SPDX-License-Identifier: GPL-3.0-or-later
#include "PressableAccessible.h"

#include "controls/AccessibleNames.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

constexpr const char* RoleProperty = "pressableRole";
constexpr const char* PopupProperty = "pressableHasPopup";

class Pressable : public QAccessibleWidget {
public:
    Pressable(QWidget* control, QAccessible::Role role) : QAccessibleWidget(control, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(kind);
        return AccessibleNames::Spoken(widget()->property("text").toString());
    }

    QAccessible::State state() const override {
        QAccessible::State shown = QAccessibleWidget::state();
        // Not every screen-reader bridge passes the pop-up on; all of them pass an expandable
        // control and whether it is expanded, as they do for a combo box.
        shown.hasPopup = widget()->property(PopupProperty).toBool();
        shown.expandable = shown.hasPopup;
        shown.expanded = shown.hasPopup && QApplication::activePopupWidget() != nullptr;
        return shown;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    // The press arrives later as the keys would, so a dialog it opens does not hold up the
    // screen reader's call.
    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QApplication::postEvent(widget(),
                                    new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, " "));
    }
};

// Only the class the control itself is answers, so Qt's own faces stay for everything else.
QAccessibleInterface* Face(const QString& className, QObject* object) {
    if (!object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    const QVariant role = object->property(RoleProperty);
    if (!role.isValid())
        return nullptr;
    return new Pressable(static_cast<QWidget*>(object),
                         static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

namespace PressableAccessible {

void Expose(QWidget* control, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(Face);
        return true;
    }();
    static_cast<void>(installed);
    control->setProperty(RoleProperty, static_cast<int>(role));
    // Qt keeps the face of a control whose caption changed, even with no screen reader
    // listening; dropping it lets this one take its place.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control)));
}

void SetHasPopup(QWidget* control, bool hasPopup) {
    control->setProperty(PopupProperty, hasPopup);
}

} // namespace PressableAccessible
