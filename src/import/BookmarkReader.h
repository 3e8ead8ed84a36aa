// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

// A reader of one kind of bookmarks file read whole: from the file's bytes it gives the tree,
// or the failure naming the file and the cause.
class BookmarkReader {
public:
    virtual ~BookmarkReader() = default;

    // path only names the file in an error.
    virtual ResultOf<BookmarkFolder> ReadBytes(std::string_view bytes, const std::string& path) = 0;

protected:
    BookmarkReader() = default;
    BookmarkReader(const BookmarkReader&) = default;
    BookmarkReader& operator=(const BookmarkReader&) = default;
};
