// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <string>

// Where a command's settings file comes from: the default one, which may be missing, or one the
// command line names, which must be there.
enum class SettingsSource { Default, CommandLine };

// The one rule for every command that works from a settings file (the unattended run, --check,
// --fetch-icons, and the commands to come): a settings file named on the command line must exist
// and be a settings file, it must be readable, and the folder of shortcuts it leads to must be set
// and be there. A command never falls back to another folder: that would do other work than the
// user asked for and report it as done.
class CommandSettings {
public:
    // Reads the settings file into the record and globals, or the failure that refuses the run.
    static Result Read(const std::string& path, SettingsSource source, Settings& settings,
                       Globals& globals);
};
