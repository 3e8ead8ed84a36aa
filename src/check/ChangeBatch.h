// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/ChangeJournal.h"
#include "check/ChangePlan.h"
#include "platform/Failure.h"

#include <string>
#include <vector>

// Whether outcomes come from carrying a batch out or from undoing it.
enum class BatchStep { CarriedOut, Undone };

// What became of one change of a batch, or of its undoing.
struct ChangeOutcome {
    enum class State { Done, Skipped, NotMade };
    PlannedChange change;
    State state = State::Done;
    // Where in the Trash the file went, or came back from.
    std::string place;
    // Why it was skipped.
    Failure skipped;
};

// Carries out a batch of changes to the shortcut tree and undoes the last one, through the
// journal: nothing is deleted (files go to the Trash), a shortcut is rewritten through the INI
// writer keeping its other lines and replaced atomically, and a file changed since it was looked
// at is left alone and reported.
class ChangeBatch {
public:
    // Writes the batch to the journal, then makes each change in turn; a failure means the journal
    // could not be written and nothing was changed.
    static Result CarryOut(const std::vector<PlannedChange>& plan, const ChangeJournal& journal,
                           std::vector<ChangeOutcome>& outcomes);
    // Reverses the last batch of the journal not undone yet: files back from the Trash and
    // rewritten shortcuts (a new address or icon) written back, byte for byte, where the files
    // are as the batch left them. A failure means there was nothing to undo.
    static Result UndoLast(const ChangeJournal& journal, std::vector<ChangeOutcome>& outcomes);
};
