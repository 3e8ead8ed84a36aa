// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The entries of one open folder, as the scan needs them: every subfolder and every plain file
// whose name ends in ".url" in any letter case, hidden entries included, in the order the file
// system gives them. A symbolic link counts as what it leads to; a dangling one, a pipe or a
// device is neither (reading one as a shortcut could only yield nothing, or hang). The bookmark
// import's work folders and the folders of site icons are left out: they are the program's own,
// not the user's links.
class FolderListing {
public:
    // The bookmark import builds each folder under a name with this prefix and renames it
    // when it is complete; one that a killed import left behind must not reach the page.
    static constexpr std::string_view ImportWorkPrefix = ".linkshelf-import-";
    // Where a tree keeps its links' icons, each once, for the shortcuts' IconFile keys.
    static constexpr std::string_view IconFolder = ".linkshelf-icons";
    // The IconFile value of the icon file `name` in the icon folder, for a shortcut `depth`
    // folders below the source folder.
    static std::string IconFileValue(int depth, std::string_view name);

    // Lists the folder just opened as folderFd (listing moves its read position, so a second
    // listing needs a fresh descriptor); a folder that cannot be read lists as empty.
    static FolderListing Read(int folderFd);

    FolderListing() = default;
    FolderListing(FolderListing&&) = default;
    FolderListing& operator=(FolderListing&&) = default;
    // A copy's names would still point into the original.
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // Bare names, valid as long as the listing. Each is followed in memory by a NUL byte, so
    // its data() can be handed to the system as a file name.
    std::vector<std::string_view> folders;
    std::vector<std::string_view> shortcuts;

private:
    // Every name in one block: a string each would cost an allocation per entry.
    std::vector<char> names_;
};
