// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Globals.h"
#include "settings/Settings.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class IniFile;

// Settings files keep every setting in this section.
inline constexpr std::string_view SettingsSection = "Options";

// One value of a setting, of whichever type the setting has.
using SettingValue = std::variant<std::string, bool, StoredColor>;
// Where a setting lives: a member of the record, or the template or the ignored folders, which
// the shared values keep.
enum class SharedSetting { TemplateFile, IgnoreFolders };
using SettingPlace =
    std::variant<std::string Settings::*, bool Settings::*, StoredColor Settings::*, SharedSetting>;

// One setting: its key in settings files, where it lives, its initial value (what a new record
// holds), its value when the key is absent and its factory default (both may depend on the
// user's folders; no factory default leaves the setting as it is). Most settings are read and
// written by their type; a row with its own read or write does more. Adding a setting means a
// row here, a member of Settings and a control on the page that edits it.
struct SettingRow {
    std::string_view key;
    SettingPlace place;
    std::optional<SettingValue> initial;
    std::function<SettingValue(const Globals&)> absent;
    std::function<std::optional<SettingValue>(const Globals&)> factory;
    // The value the file gives, for a setting that checks what it names.
    std::function<SettingValue(const IniFile&, Globals&)> read = nullptr;
    // The text the file gets, for a setting not written as it is held.
    std::function<std::string(const Settings&, const Globals&)> write = nullptr;
};

// The fourteen settings, in the order a new settings file lists them.
std::span<const SettingRow> SettingsTable();

// The setting's current value, and a new one put in its place.
SettingValue ValueOf(const SettingRow& row, const Settings& settings, const Globals& globals);
void Assign(const SettingRow& row, const SettingValue& value, Settings& settings, Globals& globals);

// The ignored-folder list as one text, entries joined by ';' as they are.
std::string JoinIgnoreList(const std::vector<std::string>& ignoreList);
