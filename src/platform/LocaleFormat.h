// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The current local date and time in the user's short formats, and as a page states them for a
// reader in another language.
class LocaleFormat {
public:
    static std::string ShortDate();
    static std::string ShortTime();
    // ISO 8601 with the offset from UTC, such as 2026-12-08T09:30:00+08:00.
    static std::string IsoDateTime();
    // The run's language as a page's lang attribute: zh-CN or en.
    static std::string LanguageTag();
};
