// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

// Reads qutebrowser's bookmarks and quickmarks: text files of one link a line, bookmarks/urls
// as "ADDRESS TITLE" (split at the first blank, the title may be missing) and quickmarks as
// "NAME ADDRESS" (split at the last blank; the address may lack its scheme, as typed).
class QutebrowserReader {
public:
    // The configuration folder's bookmarks and quickmarks, one folder each.
    static ResultOf<BookmarkFolder> ReadFolder(const std::string& folder);
    // One of the two files, told apart by its lines.
    static ResultOf<BookmarkFolder> Read(std::string_view bytes, const std::string& path);

    // True when bytes are UTF-8 text whose lines all read as bookmarks or all as quickmarks.
    static bool Recognises(std::string_view bytes);
    // True when folder holds either file.
    static bool HoldsBookmarks(const std::string& folder);
};
