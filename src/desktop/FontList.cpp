// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontList.h"

#include <QFontDatabase>
#include <QRegularExpression>
#include <algorithm>

QStringList FontList::Families() {
    QStringList families = QFontDatabase::families();
    families.append("Default");
    return PlainNames(families);
}

QStringList FontList::PlainNames(const QStringList& families) {
    static const QRegularExpression foundry(R"(\s*\[[^\[\]]*\]\s*$)");
    QStringList names;
    names.reserve(families.size());
    for (const QString& family : families) {
        QString name = family;
        name.remove(foundry);
        if (!name.isEmpty())
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}
