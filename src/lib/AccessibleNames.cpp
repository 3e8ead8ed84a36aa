// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleNames.h"

#include <QLabel>
#include <QRegularExpression>

namespace AccessibleNames {

QString Spoken(QString caption) {
    static const QRegularExpression decoration("\\(&.\\)|&|<|>");
    return caption.remove(decoration).simplified();
}

void NameFromLabels(QWidget* window) {
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy != nullptr && buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(Spoken(label->text()));
    }
}

} // namespace AccessibleNames
