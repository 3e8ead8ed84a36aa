// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameCollator.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <numeric>
#include <optional>

namespace {

// The C locale has no collation of its own (it would order by code point, capitals first), so
// a user without a locale gets the neutral international order.
QLocale CollationLocale() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : system;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Writes the UTF-16 form of text to units (room for text.size() units) when text is well-formed
// UTF-8, and gives the count written; gives nothing otherwise. Well-formed UTF-8 has only one
// UTF-16 form, so this is exactly what Qt's decoder gives; Qt alone decides how to show
// malformed bytes, and it drops a leading byte-order mark, so such names are left to it.
std::optional<std::size_t> DecodeUtf8(std::string_view text, char16_t* units) {
    if (text.starts_with("\xEF\xBB\xBF"))
        return std::nullopt;
    char16_t* out = units;
    const auto* byte = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = byte + text.size();
    while (byte < end) {
        const unsigned char lead = *byte;
        if (lead < 0x80) {
            *out++ = lead;
            ++byte;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
            high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong forms
            high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
        }
        if (length == 0 || static_cast<std::size_t>(end - byte) < length || byte[1] < low ||
            byte[1] > high)
            return std::nullopt;
        for (std::size_t i = 1; i < length; ++i) {
            if (!IsContinuation(byte[i]))
                return std::nullopt;
            code = (code << 6) | (byte[i] & 0x3F);
        }
        if (code >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(code);
        }
        byte += length;
    }
    return static_cast<std::size_t>(out - units);
}

// The word sort looks through hyphens and apostrophes, so "co-op" sorts beside "coop" and
// "it's" beside "its"; every other character keeps its weight. Dropping them from the text the
// collator compares does exactly that, and the comparison of the bytes that breaks ties still
// sees them, so names that differ only there keep one order.
bool IsIgnoredByWordSort(char16_t unit) {
    return unit == u'-' || unit == u'\'';
}

// Folders mostly hold a handful of names, where inserting each name at the place a binary
// search finds needs about a third fewer comparisons than a quicksort; each comparison is a
// walk through the locale's collation tables, the dearest step of the sort.
constexpr std::size_t MostNamesForInsertion = 32;

} // namespace

NameCollator::NameCollator() : collator_(CollationLocale()) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

// Comparing names directly is cheaper than making sort keys: the collator stops at the first
// difference. Sort keys would not even give the same order: the collator rates an empty name
// before one that is wholly ignorable (a control character, say), where their keys are equal.
// Every name is decoded once, into one buffer shared by the whole folder.
void NameCollator::Sort(std::vector<std::string_view>& names) {
    const std::size_t count = names.size();
    if (count < 2)
        return;
    // UTF-16 never needs more units than UTF-8 has bytes.
    std::size_t bytes = 0;
    for (const std::string_view name : names)
        bytes += name.size();
    units_.resize(bytes);
    starts_.clear();
    std::size_t used = 0;
    for (const std::string_view name : names) {
        starts_.push_back(used);
        char16_t* const start = units_.data() + used;
        std::size_t size = 0;
        if (const auto decoded = DecodeUtf8(name, start)) {
            size = *decoded;
        } else {
            const QString text =
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
            size = static_cast<std::size_t>(text.size());
            std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), size, start);
        }
        used = static_cast<std::size_t>(std::remove_if(start, start + size, IsIgnoredByWordSort) -
                                        units_.data());
    }
    starts_.push_back(used);
    const auto text = [&](std::size_t index) {
        return QStringView(units_.data() + starts_[index],
                           static_cast<qsizetype>(starts_[index + 1] - starts_[index]));
    };
    const auto before = [&](std::size_t a, std::size_t b) {
        const int byLocale = collator_.compare(text(a), text(b));
        return byLocale != 0 ? byLocale < 0 : names[a] < names[b];
    };

    order_.resize(count);
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    if (count <= MostNamesForInsertion) {
        for (auto next = order_.begin() + 1; next != order_.end(); ++next) {
            const std::size_t index = *next;
            const auto place = std::upper_bound(order_.begin(), next, index, before);
            std::move_backward(place, next, next + 1);
            *place = index;
        }
    } else {
        std::stable_sort(order_.begin(), order_.end(), before);
    }

    sorted_.clear();
    for (const std::size_t index : order_)
        sorted_.push_back(names[index]);
    std::copy(sorted_.begin(), sorted_.end(), names.begin());
}
