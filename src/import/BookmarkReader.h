// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BookmarkTree.h"

#include <string>
#include <string_view>

// A reader of one kind of bookmarks file read whole: from the file's bytes it gives the tree,
// or nothing with the cause in ErrorString().
class BookmarkReader {
public:
    virtual ~BookmarkReader() = default;

    // path only names the file in an error.
    virtual BookmarkFolder ReadBytes(std::string_view bytes, const std::string& path) = 0;

    bool HasError() const { return !error_.empty(); }
    const std::string& ErrorString() const { return error_; }

protected:
    BookmarkReader() = default;
    BookmarkReader(const BookmarkReader&) = default;
    BookmarkReader& operator=(const BookmarkReader&) = default;

    std::string error_;
};
