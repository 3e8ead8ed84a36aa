// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// What the command line asks for. "--help" or "-h" anywhere asks for the usage, else "--version"
// for the version. A first argument naming an existing file is the settings file and makes the
// run unattended; a first argument ending in ".lfs" that names no file, or naming an existing
// file whose name does not end in ".lfs", is an error. Otherwise
// "-RUN" or "/RUN" (any letter case) anywhere asks for an unattended run with the default
// settings file, and without it the wizard opens on the default settings file.
struct CommandLine {
    enum class Mode { Wizard, Unattended, Help, Version, MissingSettingsFile, NotSettingsFile };

    std::string settingsPath;
    Mode mode = Mode::Wizard;

    static CommandLine Parse(const std::vector<std::string>& arguments,
                             const std::string& defaultSettingsPath);
    // The usage: the command's forms, the exit statuses and where the default settings file is.
    static std::string HelpText(const std::string& defaultSettingsPath);
};
