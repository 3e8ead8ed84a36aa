// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Invocation.h"
#include "LinkChecker.h"

class QNetworkAccessManager;

// linkshelf --check [SETTINGS.lfs] [--json] [--max-age AGE]: checks every link the page of the
// settings file (the default one when none is named) would list, and reports on standard output.
// Each web link's verdict is kept with its time in the user's cache (check.json); with --max-age,
// a link whose kept verdict is no older than AGE is not asked again.
class CheckCommand {
public:
    // The command's handler: Check with a network of its own.
    static int Run(const Invocation& invocation);
    // Runs the check (an event loop must be able to run) and gives the exit status: 0 when
    // nothing is dead, 3 when something is, 1 when the check could not run or was stopped.
    // Ctrl+C stops it with the report of what was checked, the links under way listed as not
    // checked. Without a network given it makes its own; nothing is written to the tree or the
    // settings.
    static int Check(const Invocation& invocation, QNetworkAccessManager* network = nullptr,
                     LinkChecker::Limits limits = {});
};
