// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BookmarkTree.h"
#include "Failure.h"

#include <string>
#include <string_view>

// Writes a bookmark tree as one folder of Internet Shortcut files inside a target folder. The
// folder is built beside its final place under a temporary name and swapped in only when it is
// complete: a second import replaces the first whole, a failed or killed one leaves the earlier
// folder as it was, and nothing else in the target folder is touched.
class ShortcutTreeWriter {
public:
    struct Counts {
        long long links = 0;
        long long folders = 0;
        // Links whose address a browser would not open from a page (javascript:, data:,
        // place: queries...) or that no shortcut could hold.
        long long skipped = 0;
    };

    // Writes tree as the folder name (made a usable file name) in targetFolder, which is
    // created when missing. A failure naming the folder and the cause when nothing was changed.
    Result Write(const BookmarkFolder& tree, const std::string& targetFolder,
                 const std::string& name);

    const Counts& Written() const { return counts_; }
    // The folder written, inside the target folder.
    const std::string& FolderPath() const { return folderPath_; }

    // True for an address with a scheme a page's link may open, with nothing in it that would
    // break the shortcut's line.
    static bool Importable(std::string_view url);

private:
    bool WriteFolder(int folderFd, const BookmarkFolder& folder, int depth);

    Counts counts_;
    std::string folderPath_;
};
