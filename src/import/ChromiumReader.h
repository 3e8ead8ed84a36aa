// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkReader.h"

#include <string>
#include <string_view>

// Reads the Bookmarks file of a Chromium-family profile (Chromium, Chrome, Brave, Edge,
// Vivaldi): a JSON document whose roots "bookmark_bar", "other" and "synced" hold nodes of type
// "folder" (with "children") and "url".
class ChromiumReader : public BookmarkReader {
public:
    ResultOf<BookmarkFolder> ReadBytes(std::string_view bytes, const std::string& path) override;

    // True when bytes start like a JSON object.
    static bool Recognises(std::string_view bytes);
};
