// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredColor.h"

#include <string>

// The settings a page is made with, as one plain record: the wizard's pages show and edit it,
// runs read it, and settings files fill and save it (SettingsTable lists each setting once). The
// template and the ignored folders are kept with the shared values (Globals). A new record holds
// the wizard's initial values.
struct Settings {
    Settings();

    std::string sourceFolder;
    bool includeSubfolders{};
    std::string outputFile;
    std::string pageTitle;
    std::string pageFont;
    bool showUrl{};
    // Each link with its site's icon, where the tree has one.
    bool showIcons{};
    StoredColor textColor{};
    StoredColor linkColor{};
    StoredColor visitedLinkColor{};
    StoredColor backColor{};
    bool launchBrowser{};
};
