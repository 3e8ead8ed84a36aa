// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellFolders.h"

#include "platform/FileChecks.h"
#include "platform/UserFolders.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

namespace {

// The value of a line NAME="..." of the user-dirs file, with a leading $HOME expanded.
std::optional<std::string> UserDir(const std::string& userDirs, std::string_view name,
                                   const std::string& home) {
    std::istringstream lines(userDirs);
    for (std::string line; std::getline(lines, line);) {
        std::string_view text(line);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (!text.starts_with(name) || text.substr(name.size(), 1) != "=")
            continue;
        text.remove_prefix(name.size() + 1);
        while (!text.empty() && (text.back() == '\r' || text.back() == ' '))
            text.remove_suffix(1);
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
            text = text.substr(1, text.size() - 2);
        if (text.starts_with("$HOME"))
            return home + std::string(text.substr(5));
        return std::string(text);
    }
    return std::nullopt;
}

} // namespace

ShellFolders ShellFolders::FromUserDirs(const std::string& home, const std::string& userDirs) {
    ShellFolders folders;
    folders.desktop =
        UserDir(userDirs, "XDG_DESKTOP_DIR", home).value_or(home.empty() ? "" : home + "/Desktop");
    // Many machines have no Desktop folder (servers, tiling desktops); a page written there
    // would fail, so the home folder stands in.
    if (!FolderExists(folders.desktop))
        folders.desktop = home;
    if (const auto favorites = UserDir(userDirs, "XDG_FAVORITES_DIR", home))
        folders.favorites = *favorites;
    else if (!home.empty() && FolderExists(home + "/Favorites"))
        folders.favorites = home + "/Favorites";
    return folders;
}

ShellFolders ShellFolders::Read() {
    const std::string home = UserFolders::Home();
    const std::string configHome = UserFolders::Base("XDG_CONFIG_HOME", ".config");
    if (configHome.empty())
        return FromUserDirs(home, "");
    std::ifstream file(configHome + "/user-dirs.dirs", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return FromUserDirs(home, text.str());
}
