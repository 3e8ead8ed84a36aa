#pragma once

#include "Globals.h"
#include "SettingsHolders.h"

#include <string>

// Settings files (.lfs): one INI section, Options, with a key for each of the thirteen settings.

// Reads the file into the holders. Makes it the current settings file and empties the ignored-
// folder list first, even when it then refuses a name that does not end in ".lfs". A missing
// file reads as every key absent; false for a refused or unreadable file.
bool ReadSettings(const std::string& path, SettingsHolders& holders, Globals& globals);
// Writes the thirteen settings into the file, keeping every other line; false when the file
// could not be written, which then keeps its old content, with the system's reason in errno.
bool WriteSettings(const std::string& path, const SettingsHolders& holders, const Globals& globals);
// After a run the settings are saved, but only while the default settings file is current;
// false when that save failed, with the reason in errno.
bool SaveSettingsIfDefault(const SettingsHolders& holders, const Globals& globals);

// A settings value as an integer: decimal within the 32-bit range, or one to eight hexadecimal
// digits after "$", "x" or "0x"; anything else gives the default.
std::int32_t ReadIntegerValue(const std::string& text, std::int32_t defaultValue);
// An integer value, 0 meaning false; anything that is no integer gives the default.
bool ReadBooleanValue(const std::string& text, bool defaultValue);
