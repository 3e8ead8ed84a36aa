// SPDX-License-Identifier: GPL-3.0-or-later
#include "Globals.h"

#include "platform/Version.h"

std::string VersionText() {
    return std::string(Version::Text);
}

std::string Globals::DefaultSettingsPath() const {
    return Layout.settingsFolder + std::string(DefaultSettingsName);
}

std::string Globals::DefaultTemplatePath() const {
    return Layout.DataFile(std::string(DefaultTemplateName));
}
