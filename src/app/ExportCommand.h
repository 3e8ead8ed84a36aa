// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"

// `linkshelf --export FILE [SETTINGS.lfs] [--format html|xbel]`: writes the links the page of
// the settings file (the default one when none is named) lists as a bookmarks file browsers
// import, in the format FILE's extension names unless --format names one. Needs no display and
// changes neither the tree nor the settings file.
class ExportCommand {
public:
    // Exports and gives the exit status: 0 when the file was written (with a line saying what it
    // holds), 2 when the tree has no link (nothing written), 1 when nothing could be written.
    static int Run(const Invocation& invocation);
};
