// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string Absolute(const char* value) {
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

} // namespace

std::string UserFolders::Home() {
    std::string home = Absolute(std::getenv("HOME"));
    // A service may start the program without one.
    if (home.empty())
        if (const passwd* account = getpwuid(getuid()); account != nullptr)
            home = Absolute(account->pw_dir);
    return home;
}

std::string UserFolders::Base(const char* variable, std::string_view underHome) {
    if (std::string base = Absolute(std::getenv(variable)); !base.empty())
        return base;
    const std::string home = Home();
    return home.empty() ? home : home + "/" + std::string(underHome);
}
