// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Globals.h"
#include "Settings.h"

#include <string>
#include <vector>

// A link still to be checked: its address, the shortcut's name and the folder path from the source
// folder down ("/" for the source folder itself, "/News/Tech" below it).
struct LinkToCheck {
    std::string address;
    std::string name;
    std::string folder;
};

// The links the page of these settings would list, in the page's order. The scan tidies a copy
// of the ignored-folder list, so nothing the caller holds changes.
std::vector<LinkToCheck> CollectLinks(const Settings& settings, const Globals& globals);
