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

void NameCollator::Sort(std::vector<std::string>& names) const {
    if (names.size() < 2)
        return;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(collator_.sortKey(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));

    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byLocale = keys[a].compare(keys[b]);
        return byLocale != 0 ? byLocale < 0 : names[a] < names[b];
    });

    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}
