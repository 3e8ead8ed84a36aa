#pragma once

#include <string>
#include <vector>

// What the command line asks for: the settings file to start with and whether to generate the
// page unattended. A first argument naming an existing file is that settings file and makes the
// run unattended; otherwise "-RUN" or "/RUN" (any letter case) anywhere asks for an unattended
// run with the default settings file.
struct CommandLine {
    std::string settingsPath;
    bool unattended = false;

    static CommandLine Parse(const std::vector<std::string>& arguments,
                             const std::string& defaultSettingsPath);
};
