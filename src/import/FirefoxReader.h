// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

class SqliteCopy;

// Reads the bookmarks of a Firefox profile from its places.sqlite, with their sites' icons (see
// FirefoxIcons). Firefox keeps the database open and locked while it runs, so the reader reads a
// copy (SqliteCopy). The bookmarks menu, toolbar, other bookmarks and mobile bookmarks become
// folders; separators, tags, queries (place:) and live bookmarks are left out.
class FirefoxReader {
public:
    // The tree, or the failure naming the file and the cause. With icons, the links come with
    // their sites' icons, and *icons says why those could not be read when they could not.
    ResultOf<BookmarkFolder> Read(const std::string& path, Result* icons = nullptr);

    // True when bytes start like an SQLite database.
    static bool Recognises(std::string_view bytes);

private:
    ResultOf<BookmarkFolder> ReadPlaces(const SqliteCopy& database, const std::string& path);
};
