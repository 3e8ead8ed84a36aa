// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The user's Desktop and Favorites folders as the desktop names them in its user-dirs file.
// Either may be empty; neither carries a trailing '/'.
struct ShellFolders {
    std::string favorites;
    std::string desktop;

    // Reads $XDG_CONFIG_HOME/user-dirs.dirs (~/.config/user-dirs.dirs by default). Desktop falls
    // back to ~/Desktop, and to the home folder when the Desktop folder does not exist;
    // Favorites to ~/Favorites when that folder exists.
    static ShellFolders Read();
    // The same from the given home folder and user-dirs text.
    static ShellFolders FromUserDirs(const std::string& home, const std::string& userDirs);
};
