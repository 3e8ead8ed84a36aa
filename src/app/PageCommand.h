// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandSettings.h"
#include "app/Invocation.h"

#include <string>
#include <vector>

// The program without a command: the wizard, or the page made unattended from a settings file.
// A first argument naming an existing file, or ending in ".lfs", is the settings file and makes
// the run unattended; else "-RUN" or "/RUN" (any letter case) anywhere asks for an unattended
// run with the default settings file, and without it the wizard opens on that file.
class PageCommand {
public:
    enum class Mode { Wizard, Unattended };
    struct Request {
        std::string settingsPath;
        SettingsSource source = SettingsSource::Default;
        Mode mode = Mode::Wizard;
    };

    // The wizard's exit status is 0 however it ends, 1 when it cannot open; an unattended run's
    // is its own (see RunUnattended).
    static int Run(const Invocation& invocation);
    // The settings file and the mode that the arguments ask for.
    static Request RequestOf(const std::vector<std::string>& operands,
                             const std::string& defaultSettingsPath);
};
