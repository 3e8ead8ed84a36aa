// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Utf8Text.h"

#include <QString>
#include <string>
#include <string_view>

// The program's texts are written in Chinese and looked up in the run's language (see Language)
// through tr() and QCoreApplication::translate(); their %1, %2... are filled in here with the
// program's UTF-8 strings and numbers, in one pass, so that a "%1" inside a path stays as it is.

inline QString FillValue(std::string_view text) {
    return Q(text);
}

inline QString FillValue(long long number) {
    return QString::number(number);
}

// A text already in the run's language, such as a count with its plural form.
inline QString FillValue(const QString& text) {
    return text;
}

// Counts go to tr() and translate() as int, which is what their plural forms take.
inline int PluralCount(long long count) {
    return static_cast<int>(count);
}

template <typename... Values> std::string FilledText(const QString& text, const Values&... values) {
    if constexpr (sizeof...(Values) == 0)
        return text.toStdString();
    else
        return text.arg(FillValue(values)...).toStdString();
}
