// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The user's home and base folders, always absolute or empty: a relative or empty value in the
// environment would otherwise name a folder under whatever folder the program was started in.
class UserFolders {
public:
    // $HOME when it is absolute, else the account's home folder; empty when there is neither.
    static std::string Home();
    // The XDG variable's folder when it is absolute, else underHome in the home folder (without a
    // trailing '/'); empty without either.
    static std::string Base(const char* variable, std::string_view underHome);
};
