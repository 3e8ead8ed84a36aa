// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Failure.h"
#include "Globals.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What one start of the program was asked to do, as the command's handler gets it.
struct Invocation {
    std::vector<std::string> operands;
    // The options given, each with its value ("" for a flag), in the order given.
    std::vector<std::pair<std::string, std::string>> options;
    // The program's own, which an application object keeps using while it lives.
    int* argc = nullptr;
    char** argv = nullptr;
    Globals* globals = nullptr;

    bool Has(std::string_view option) const;
    // The value of the last such option.
    std::optional<std::string> Value(std::string_view option) const;
};

// The program's command line: one table with a row per command, which the parser, the handlers
// and --help all read. "--help" or "-h" anywhere asks for the usage, else "--version" for the
// version. A first argument naming a command (--import, --check, --refresh) selects it, and the
// rest must be its options and operands. Otherwise the page is made: a first argument naming
// an existing file, or ending in ".lfs", is the settings file and makes the run unattended;
// else "-RUN" or "/RUN" (any letter case) anywhere asks for an unattended run with the default
// settings file, and without it the wizard opens. An option no row knows, or one without its
// value, is refused with the usage line of its command.
class CommandLine {
public:
    struct Option {
        std::string_view name;
        // Whether a value follows it (or is joined to it by "="); else it is a flag.
        bool takesValue = false;
    };
    struct UsageLine {
        const char* form;
        const char* meaning;
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
    // The row of the command with this name, or none.
    static const Command* Find(std::string_view name);
    static ResultOf<Parsed> Parse(const std::vector<std::string>& arguments);
    // Parses, runs the command's handler and gives the exit status; a command line that cannot
    // be parsed is refused on standard error with exit status 1.
    static int Run(int argc, char** argv, Globals& globals);

    // The usage: every command's forms, the exit statuses and where the default settings file
    // is.
    static std::string HelpText(const std::string& defaultSettingsPath);
    // The usage line of one command, for a message that refuses its arguments.
    static std::string UsageOf(const Command& command);

    // The page's settings file and mode, from the arguments of a start without a command.
    enum class Mode { Wizard, Unattended };
    struct PageRequest {
        std::string settingsPath;
        // Whether the settings file was named on the command line.
        bool named = false;
        Mode mode = Mode::Wizard;
    };
    static PageRequest PageRequestOf(const std::vector<std::string>& operands,
                                     const std::string& defaultSettingsPath);
};
