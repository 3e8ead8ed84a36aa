// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Globals.h"

// Sets the shared folders at start: the program's layout from the executable's path, the default
// template it gives, an empty ignored-folder list, and the user's Favorites and Desktop.
void InitialiseGlobals(Globals& globals, const std::string& programFile);
// Sets FavoritesFolder and DesktopFolder from the desktop's user folders, each ending in '/'.
void ReadShellFolders(Globals& globals);
