// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The current local date and time in the user's short formats.
class LocaleFormat {
public:
    static std::string ShortDate();
    static std::string ShortTime();
};
