// SPDX-License-Identifier: GPL-3.0-or-later
#include "FactoryDefaults.h"

#include "SettingsTable.h"

void ApplyFactoryDefaults(Settings& settings, Globals& globals) {
    for (const SettingRow& row : SettingsTable())
        if (row.factory)
            if (const auto value = row.factory(globals))
                Assign(row, *value, settings, globals);
    globals.SettingsPath = globals.DefaultSettingsPath();
    globals.UnusableSourceFolder.reset();
    globals.UnusableTemplate.reset();
}

std::string JoinIgnoreList(const std::vector<std::string>& ignoreList) {
    std::string joined;
    for (std::size_t i = 0; i < ignoreList.size(); ++i) {
        if (i > 0)
            joined += ';';
        joined += ignoreList[i];
    }
    return joined;
}
