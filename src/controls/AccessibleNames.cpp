// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleNames.h"

#include <QRegularExpression>

namespace AccessibleNames {

QString Spoken(QString caption) {
    static const QRegularExpression decoration("\\(&.\\)|&|<|>");
    return caption.remove(decoration).simplified();
}

} // namespace AccessibleNames
