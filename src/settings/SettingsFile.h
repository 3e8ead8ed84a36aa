// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <string>
#include <string_view>

// Settings files (.lfs): one INI section, Options, with a key for each of the fourteen settings.

// Why a file was refused as a settings file: its name does not end in ".lfs".
std::string NotSettingsFileReason();

// Reads the file into the record and makes it the current settings file. A missing file reads
// as every key absent. A name that does not end in ".lfs" or a file that cannot be read is
// refused with the reason, and nothing changes. A folder or template that the file names but
// that cannot be used is noted in globals (see UnusableSetting).
Result ReadSettings(const std::string& path, Settings& settings, Globals& globals);
// Writes the settings of the record and the shared values into the file, keeping every other
// line; a file that could not be written keeps its old content. Programs that save the same
// file take turns, through a lock file beside it.
Result WriteSettings(const std::string& path, const Settings& settings, const Globals& globals);
// After a run the settings are saved, but only while the default settings file is current.
Result SaveSettingsIfDefault(const Settings& settings, const Globals& globals);

// A settings value as an integer: decimal within the 32-bit range, or one to eight hexadecimal
// digits after "$", "x" or "0x"; anything else gives the default.
std::int32_t ReadIntegerValue(const std::string& text, std::int32_t defaultValue);
// An integer value, 0 meaning false; anything that is no integer gives the default.
bool ReadBooleanValue(const std::string& text, bool defaultValue);
