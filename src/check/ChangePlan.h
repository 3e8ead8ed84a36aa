// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CheckReport.h"
#include "check/LinkToCheck.h"

#include <cstddef>
#include <string>
#include <vector>

// One change to the shortcut tree: a moved link's shortcut pointed at where it moved to, a dead
// link or an extra copy of a duplicate moved to the Trash (both acting on a finding), or a
// shortcut given the site icon fetched for it.
struct PlannedChange {
    enum class Action { UpdateAddress, MoveToTrash, SetIcon };
    Action action = Action::MoveToTrash;
    // Why: the finding's kind (moved, dead or duplicate).
    CheckFinding::Kind kind = CheckFinding::Kind::Dead;
    std::string file;
    std::string name;
    std::string oldAddress;
    // Where a moved link leads; empty for the Trash.
    std::string newAddress;
    // The shortcut as the check read it: a change to it since leaves it alone. A new icon takes
    // the shortcut as it is when the batch is carried out, whose address must still be oldAddress.
    FileStamp stamp;
    // The IconFile= value of a new icon: its file in the icon folder, relative to the shortcut.
    std::string iconFile{};
};

// Which kinds of finding a batch acts on, all of each kind.
struct ChangeKinds {
    bool updateMoved = false;
    bool trashDead = false;
    bool trashDuplicates = false;
};

// The findings of report (indexes into report.findings) that kinds asks for; of each address
// filed more than once, every place but the first on the page.
std::vector<std::size_t> ChooseFindings(const CheckReport& report, ChangeKinds kinds);

// The changes for the chosen findings, one per shortcut, in the page's order. A duplicate whose
// places are all chosen keeps its first place on the page; a shortcut both moved and bound for
// the Trash goes to the Trash. Findings of other kinds, and links with no file, change nothing.
std::vector<PlannedChange> PlanChanges(const CheckReport& report,
                                       const std::vector<LinkToCheck>& links,
                                       const std::vector<std::size_t>& chosen);
