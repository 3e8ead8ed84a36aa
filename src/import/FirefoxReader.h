// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BookmarkTree.h"
#include "Failure.h"

#include <string>
#include <string_view>

// Reads the bookmarks of a Firefox profile from its places.sqlite. Firefox keeps the database
// open and locked while it runs, so the reader copies the database and its write-ahead log
// into a private folder and reads the copy; the profile's files are only ever read. The
// bookmarks menu, toolbar, other bookmarks and mobile bookmarks become folders; separators,
// tags, queries (place:) and live bookmarks are left out.
class FirefoxReader {
public:
    // The tree, or the failure naming the file and the cause.
    ResultOf<BookmarkFolder> Read(const std::string& path);

    // True when bytes start like an SQLite database.
    static bool Recognises(std::string_view bytes);

private:
    ResultOf<BookmarkFolder> ReadCopy(const std::string& copy, const std::string& path);
};
