// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"
#include "check/LinkChecker.h"

class QNetworkAccessManager;

// linkshelf --check [SETTINGS.lfs] [--json] [--max-age AGE]: checks every link the page of the
// settings file (the default one when none is named) would list, and reports on standard output.
// Each web link's verdict is kept with its time in the user's cache (check.json); with --max-age,
// a link whose kept verdict is no older than AGE is not asked again. After a whole check,
// --update-moved, --trash-dead and --trash-duplicates act on its findings (a batch recorded in
// the journal, undone by linkshelf --undo), printing a line per change and a summary;
// --dry-run prints what they would change instead.
class CheckCommand {
public:
    // The command's handler: Check with a network of its own.
    static int Run(const Invocation& invocation);
    // Runs the check (an event loop must be able to run) and gives the exit status: 0 when
    // nothing is dead, 3 when something is, 1 when the check could not run or was stopped.
    // Ctrl+C stops it with the report of what was checked, the links under way listed as not
    // checked, and changes nothing. Without a network given it makes its own; the settings are
    // never written, and the tree only as the change options ask.
    static int Check(const Invocation& invocation, QNetworkAccessManager* network = nullptr,
                     LinkChecker::Limits limits = {});
};
