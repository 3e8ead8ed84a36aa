// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// Writes a bookmark tree as one folder of Internet Shortcut files inside a target folder. The
// folder is built beside its final place under a temporary name and swapped in only when it is
// complete: a second import replaces the first whole, a failed or killed one leaves the earlier
// folder as it was, and nothing else in the target folder is touched. Each distinct icon that
// passes IconImage's checks is kept once, named by its content, in the folder's hidden icon
// folder, and the shortcuts point at it with IconFile= relative to their own folder, so that a
// copied or moved tree keeps its icons.
class ShortcutTreeWriter {
public:
    struct Counts {
        long long links = 0;
        long long folders = 0;
        // Links whose address a browser would not open from a page (javascript:, data:,
        // place: queries...) or that no shortcut could hold.
        long long skipped = 0;
        // Links written with their site's icon, and icons refused as no image a page may show.
        long long withIcon = 0;
        long long iconsRefused = 0;
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
    // The shortcut's lines naming its icon, empty when it has none that can be kept.
    std::string IconLines(const BookmarkLink& link, int depth);
    // The name of the icon's file in the icon folder, written on first use; empty when refused.
    std::string KeepIcon(const std::string& bytes);

    Counts counts_;
    int workFd_ = -1;
    // Each icon's file name by the bytes the reader gave (empty: refused), and the files written.
    std::unordered_map<const std::string*, std::string> iconNames_;
    std::unordered_set<std::string> iconFiles_;
    std::string folderPath_;
};
