// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

// Reads GNOME Web's (Epiphany's) bookmarks.gvdb: a GVDB file whose table "bookmarks" holds, by
// address, each bookmark's time added, title, id, time changed, upload flag and tags. A folder
// is made for each tag, sorted by name, and one for the bookmarks without tags; a bookmark with
// several tags is in each of their folders, and within a folder they are in the order they were
// added.
class EpiphanyReader {
public:
    static ResultOf<BookmarkFolder> Read(std::string_view bytes, const std::string& path);

    static bool Recognises(std::string_view bytes);
};
