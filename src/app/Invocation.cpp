// SPDX-License-Identifier: GPL-3.0-or-later
#include "Invocation.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

bool Invocation::Has(std::string_view option) const {
    return std::ranges::any_of(options,
                               [option](const auto& given) { return given.first == option; });
}

std::optional<std::string> Invocation::Value(std::string_view option) const {
    std::optional<std::string> value;
    for (const auto& [name, given] : options)
        if (name == option)
            value = given;
    return value;
}

std::string Invocation::Usage() const {
    return UsageOf(usageLines);
}

std::string Invocation::UsageOf(std::span<const UsageLine> lines) {
    QStringList forms;
    for (const UsageLine& line : lines)
        forms.append(QCoreApplication::translate("CommandLine", line.form));
    return (QCoreApplication::translate("CommandLine", "用法：%1").arg(forms.join(" | ")) + u'\n' +
            QCoreApplication::translate("CommandLine", "全部用法：linkshelf --help"))
        .toStdString();
}
