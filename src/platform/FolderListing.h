#pragma once

#include <string>
#include <vector>

// The entries of one open folder, as the scan needs them: every subfolder and every plain file
// whose name ends in ".url" in any letter case, hidden entries included, in the order the file
// system gives them. A symbolic link counts as what it leads to; a dangling one, a pipe or a
// device is neither (reading one as a shortcut could only yield nothing, or hang).
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> shortcuts;

    // Lists the folder just opened as folderFd (listing moves its read position, so a second
    // listing needs a fresh descriptor); a folder that cannot be read lists as empty.
    static FolderListing Read(int folderFd);
};
