// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TempTree.h"
#include "settings/Globals.h"

#include <gtest/gtest.h>

// A program folder with its default template and a Favorites folder in a temporary tree, as the
// settings-file tests need them.
class SettingsFixture : public testing::Test {
protected:
    SettingsFixture() {
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.FavoritesFolder = tree.Path("Favorites/");
        globals.DesktopFolder = tree.Path("Desktop/");
        globals.TemplatePath = globals.DefaultTemplatePath();
        tree.Write("program/Linkshelf.lft", "template");
        tree.Folder("Favorites");
    }

    TempTree tree;
    Globals globals;
};
