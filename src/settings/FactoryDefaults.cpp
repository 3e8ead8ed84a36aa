// SPDX-License-Identifier: GPL-3.0-or-later
#include "FactoryDefaults.h"

#include "settings/SettingsTable.h"

void ApplyFactoryDefaults(Settings& settings, Globals& globals) {
    for (const SettingRow& row : SettingsTable())
        if (row.factory)
            if (const auto value = row.factory(globals))
                Assign(row, *value, settings, globals);
    globals.SettingsPath = globals.DefaultSettingsPath();
    globals.UnusableSourceFolder.reset();
    globals.UnusableTemplate.reset();
}
