#pragma once

#include <string>
#include <vector>

// The entries of one open folder, as the scan needs them: every subfolder (a symbolic link that
// leads to a folder counts as one) and every name ending in ".url" in any letter case, hidden
// entries included, in the order the file system gives them.
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> shortcuts;

    // Lists the folder open as folderFd; a folder that cannot be read lists as empty.
    static FolderListing Read(int folderFd);
};
