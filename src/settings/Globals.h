// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The maker's home page, linked from the welcome page and from every generated page.
inline constexpr std::string_view HomePageUrl = "https://linkshelf.org/";
inline constexpr std::string_view DefaultSettingsName = "Linkshelf.lfs";
inline constexpr std::string_view DefaultTemplateName = "Linkshelf.lft";
inline constexpr std::string_view DefaultPageName = "Linkpage.htm";

// The program's version, "major.minor.patch".
std::string VersionText();

// A folder or template that the settings file names but that cannot be used. The wizard shows
// the fallback in its place; an unattended run refuses to run; and while the fallback stands
// unchanged, saving writes the file's own value back, so that a stick that is not mounted today
// does not cost the user the setting.
struct UnusableSetting {
    std::string value;    // as the settings file holds it
    std::string path;     // the path it names
    std::string fallback; // what is used in its place
    std::string cause;    // why it cannot be used: the system's reason
};

// The values the whole process shares. Folders end in '/' (or are empty).
struct Globals {
    // Where the default settings file and the default template are (see ProgramLayout).
    ProgramLayout Layout;
    std::string FavoritesFolder;
    std::string DesktopFolder;
    std::string SettingsPath;
    std::string TemplatePath;
    std::vector<std::string> IgnoreList;
    bool Unattended = false;
    std::int32_t LinkCount = 0;
    std::int32_t IgnoredCount = 0;
    std::optional<UnusableSetting> UnusableSourceFolder;
    std::optional<UnusableSetting> UnusableTemplate;

    std::string DefaultSettingsPath() const;
    std::string DefaultTemplatePath() const;
};
