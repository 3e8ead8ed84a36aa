// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BookmarkTree.h"

class SqliteCopy;

#include <string>
#include <string_view>

// Reads the bookmarks of a Firefox profile from its places.sqlite, with their sites' icons (see
// FirefoxIcons). Firefox keeps the database open and locked while it runs, so the reader reads a
// copy (SqliteCopy). The bookmarks menu, toolbar, other bookmarks and mobile bookmarks become
// folders; separators, tags, queries (place:) and live bookmarks are left out.
class FirefoxReader {
public:
    // Without withIcons the icons are not looked for.
    BookmarkFolder Read(const std::string& path, bool withIcons = true);

    bool HasError() const { return !error_.empty(); }
    const std::string& ErrorString() const { return error_; }
    // True when the bookmarks were read but the icons could not be: the tree has none.
    bool IconsLost() const { return iconsLost_; }

    // True when bytes start like an SQLite database.
    static bool Recognises(std::string_view bytes);

private:
    BookmarkFolder ReadPlaces(const SqliteCopy& database, const std::string& path);

    std::string error_;
    bool iconsLost_ = false;
};
