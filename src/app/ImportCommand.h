// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"

// `linkshelf --import SOURCE [FOLDER]`: imports a browser's bookmarks (SOURCE a bookmark file,
// or firefox, chromium, chrome, brave, edge or vivaldi for that browser's default profile) into
// FOLDER, by default the Favorites folder. Needs no display.
class ImportCommand {
public:
    // Imports, prints what was written (or why nothing was), and gives the exit status: 0 when
    // the folder was written, 1 when nothing was.
    static int Run(const Invocation& invocation);
};
