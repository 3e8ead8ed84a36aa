// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"

// linkshelf --undo: reverses the last batch of changes to the shortcut tree recorded in the
// journal (by the link check's window, --check's change options or a fetch of site icons), even
// one cut short: files come back from the Trash and shortcuts get their old bytes back where the
// files are as the batch left them. One line per change and a summary on standard output.
class UndoCommand {
public:
    // The command's handler: Undo in the user's language.
    static int Run(const Invocation& invocation);
    // 0 when every change of the batch is undone (or was never made), 1 when there was nothing
    // to undo, the journal could not be read or written, or a change was skipped.
    static int Undo();
};
