// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Where the program keeps its default settings file and finds the files it ships with, chosen
// once at start-up. Portable: the program's folder holds the default template and is writable
// (the build folder, an unpacked folder), so everything stays beside the program. Installed:
// anything else; the default settings file lives in $XDG_CONFIG_HOME/linkshelf/ and a shipped
// file is looked up in $XDG_DATA_HOME/linkshelf/, then in each $XDG_DATA_DIRS folder's
// linkshelf/, then in share/linkshelf/ beside the program's bin/ folder, then in the program's
// own folder. Folders end in '/'.
struct ProgramLayout {
    enum class Kind { Portable, Installed };

    // The environment an installed program reads its folders from; empty when unset.
    struct Environment {
        std::string home;
        std::string configHome;
        std::string dataHome;
        std::string dataDirs;

        static Environment Current();
    };

    Kind kind = Kind::Portable;
    std::string settingsFolder;
    std::vector<std::string> dataFolders;

    static ProgramLayout Portable(const std::string& programFolder);
    static ProgramLayout Installed(const std::string& programFolder,
                                   const Environment& environment);
    // The layout for the program in this folder, as the folder and the environment make it.
    static ProgramLayout Choose(const std::string& programFolder);

    // The first data folder's file of this name that exists, else the name in the first data
    // folder, where a user would put one.
    std::string DataFile(const std::string& name) const;
    // Makes the settings folder, and the folders above it, when missing; false when it fails.
    bool MakeSettingsFolder() const;

    bool operator==(const ProgramLayout&) const = default;
};
