// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Globals.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One form of a command and what it does, as --help shows them: texts to translate.
struct UsageLine {
    const char* form;
    const char* meaning;
};

// What one start of the program was asked to do, as the command's handler gets it.
struct Invocation {
    std::vector<std::string> operands;
    // The options given, each with its value ("" for a flag), in the order given.
    std::vector<std::pair<std::string, std::string>> options;
    // The program's own, which an application object keeps using while it lives.
    int* argc = nullptr;
    char** argv = nullptr;
    Globals* globals = nullptr;
    // The forms of the command.
    std::span<const UsageLine> usageLines;

    bool Has(std::string_view option) const;
    // The value of the last such option.
    std::optional<std::string> Value(std::string_view option) const;
    // The command's usage in the run's language, for a message that refuses its arguments.
    std::string Usage() const;
    static std::string UsageOf(std::span<const UsageLine> lines);
};
