// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TempTree.h"
#include "platform/ProgramLayout.h"

// An installed program whose user's data folder holds its own mine.lft and whose system data
// folder holds the shipped Linkshelf.lft and a mine.lft that the user's hides.
inline ProgramLayout InstalledWithUserAndSystemTemplates(const TempTree& tree) {
    tree.Write("user/mine.lft", "mine");
    tree.Write("system/Linkshelf.lft", "shipped");
    tree.Write("system/mine.lft", "shipped");
    return {ProgramLayout::Kind::Installed,
            tree.Path("config/"),
            {tree.Path("user/"), tree.Path("system/")}};
}
