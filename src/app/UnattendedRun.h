// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandSettings.h"
#include "settings/Globals.h"

// Generates the page from the settings file (globals.SettingsPath, from where source says)
// without showing the wizard, and gives the exit status: 0 when the page was written, 2
// when no shortcut was found, 1 when the settings refuse the run (see CommandSettings), the page
// could not be written or the run failed.
int RunUnattended(Globals& globals, SettingsSource source);
