#include "NameCollator.h"

#include <QString>
#include <algorithm>
#include <numeric>

namespace {

// The C locale has no collation of its own (it would order by code point, capitals first), so
// a user without a locale gets the neutral international order.
QLocale CollationLocale() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : system;
}

} // namespace

NameCollator::NameCollator() : collator_(CollationLocale()) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

// Comparing names directly is cheaper than making sort keys: the collator stops at the first
// difference, and most folders hold few names.
void NameCollator::Sort(std::vector<std::string>& names) const {
    if (names.size() < 2)
        return;
    std::vector<QString> texts;
    texts.reserve(names.size());
    for (const std::string& name : names)
        texts.push_back(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));

    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byLocale = collator_.compare(texts[a], texts[b]);
        return byLocale != 0 ? byLocale < 0 : names[a] < names[b];
    });

    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}
