#pragma once

#include <string>

// The current local date and time in the user's short formats.
class LocaleFormat {
public:
    static std::string ShortDate();
    static std::string ShortTime();
};
