#include "Globals.h"

std::string VersionText() {
    return std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) + "." +
           std::to_string(VersionBuild) + std::string(VersionSuffix);
}

std::string Globals::DefaultSettingsPath() const {
    return Layout.settingsFolder + std::string(DefaultSettingsName);
}

std::string Globals::DefaultTemplatePath() const {
    return Layout.DataFile(std::string(DefaultTemplateName));
}
