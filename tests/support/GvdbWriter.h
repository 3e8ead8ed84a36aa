// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes GVDB files as GLib's builder lays them out (header, then each table's hash buckets and
// items, keys and values after it), for tests of the reader of GNOME Web's bookmarks.
class GvdbWriter {
public:
    struct Bookmark {
        std::string url;
        std::int64_t added;
        std::string title;
        std::vector<std::string> tags;
    };

    // A bookmarks.gvdb holding the tables "tags" and "bookmarks", each value (xssxbas), or
    // (xssdbas) as newer versions write them.
    static std::string Bookmarks(const std::vector<Bookmark>& bookmarks, bool doubleTime = false);

    // One table: keys with a value serialised as a "v" GVariant, or with a nested table.
    struct Entry {
        std::string key;
        std::string value;
        std::vector<Entry> table;
        bool isTable = false;
    };
    static std::string File(const std::vector<Entry>& root);
};
