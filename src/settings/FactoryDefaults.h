// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Globals.h"
#include "settings/Settings.h"

// Puts the factory defaults into the record and makes the default settings file current.
// The ignored-folder list is left as it is, and no file is written.
void ApplyFactoryDefaults(Settings& settings, Globals& globals);
