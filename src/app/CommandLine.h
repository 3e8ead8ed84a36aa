// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"
#include "platform/Failure.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The program's command line: one table with a row per command, which the parser, the handlers and
// --help all read. "--help" or "-h" anywhere asks for the usage, else "--version" for the version.
// A first argument naming a command (--import, --check, --fetch-icons, --refresh) selects it, and
// the rest must be its options and operands. Otherwise the page is made: a first argument naming an
// existing file, or ending in ".lfs", is the settings file and makes the run unattended; else
// "-RUN" or "/RUN" (any letter case) anywhere asks for an unattended run with the default settings
// file, and without it the wizard opens. An option no row knows, or one without its value, is
// refused with the usage line of its command.
class CommandLine {
public:
    struct Option {
        std::string_view name;
        // Whether a value follows it (or is joined to it by "="); else it is a flag.
        bool takesValue = false;
    };
    using Handler = int (*)(const Invocation&);
    struct Command {
        std::string_view name;
        std::string_view shortName;
        // Help and version are understood wherever they stand; the others only first.
        bool anywhere = false;
        std::span<const Option> options;
        std::size_t minOperands = 0;
        std::size_t maxOperands = 0;
        std::span<const UsageLine> usage;
        Handler handler = nullptr;
    };

    // What the arguments ask for: a row of the table and its invocation.
    struct Parsed {
        const Command* command = nullptr;
        Invocation invocation;
    };

    static std::span<const Command> Commands();
    static ResultOf<Parsed> Parse(const std::vector<std::string>& arguments);
    // Parses, runs the command's handler and gives the exit status; a command line that cannot
    // be parsed is refused on standard error with exit status 1.
    static int Run(int argc, char** argv, Globals& globals);

    // The usage: every command's forms, the exit statuses and where the default settings file
    // is.
    static std::string HelpText(const std::string& defaultSettingsPath);
};
