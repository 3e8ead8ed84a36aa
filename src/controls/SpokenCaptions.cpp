// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpokenCaptions.h"

#include "controls/AccessibleNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace {

// The name this filter last gave, so that it can tell its own names from those given otherwise.
constexpr const char* GivenName = "spokenCaption";

} // namespace

void SpokenCaptions::Install() {
    if (qApp->findChild<SpokenCaptions*>(QString(), Qt::FindDirectChildrenOnly) != nullptr)
        return;
    qApp->installEventFilter(new SpokenCaptions(qApp));
}

void SpokenCaptions::Name(QWidget* control, const QString& caption) {
    const QString given = control->property(GivenName).toString();
    if (!control->accessibleName().isEmpty() && control->accessibleName() != given)
        return;
    const QString spoken = AccessibleNames::Spoken(caption);
    control->setProperty(GivenName, spoken);
    control->setAccessibleName(spoken);
}

bool SpokenCaptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* button = qobject_cast<QAbstractButton*>(watched))
            Name(button, button->text());
        else if (const auto* label = qobject_cast<QLabel*>(watched); label && label->buddy())
            Name(label->buddy(), label->text());
    }
    return QObject::eventFilter(watched, event);
}
