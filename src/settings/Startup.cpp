// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include "platform/FileChecks.h"
#include "platform/ShellFolders.h"

void InitialiseGlobals(Globals& globals, const std::string& programFile) {
    globals.Layout = ProgramLayout::Choose(programFile.substr(0, programFile.rfind('/') + 1));
    globals.IgnoreList.clear();
    globals.TemplatePath = globals.DefaultTemplatePath();
    ReadShellFolders(globals);
}

void ReadShellFolders(Globals& globals) {
    const ShellFolders folders = ShellFolders::Read();
    globals.FavoritesFolder = AddTrailingPathDelimiter(folders.favorites);
    globals.DesktopFolder = AddTrailingPathDelimiter(folders.desktop);
}
