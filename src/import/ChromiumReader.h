#pragma once

#include "BookmarkTree.h"

#include <string>
#include <string_view>

// Reads the Bookmarks file of a Chromium-family profile (Chromium, Chrome, Brave, Edge,
// Vivaldi): a JSON document whose roots "bookmark_bar", "other" and "synced" hold nodes of type
// "folder" (with "children") and "url".
class ChromiumReader {
public:
    BookmarkFolder Read(const std::string& path);
    // The same from the file's bytes; path only names the file in an error.
    BookmarkFolder ReadBytes(std::string_view bytes, const std::string& path);

    bool HasError() const { return !error_.empty(); }
    const std::string& ErrorString() const { return error_; }

    // True when bytes start like a JSON object.
    static bool Recognises(std::string_view bytes);

private:
    std::string error_;
};
