// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

// Reads Falkon's bookmarks.json: a JSON document whose roots "bookmark_bar", "bookmark_menu"
// and "other" hold items of type "folder" (with "children"), "url" and "separator". It looks
// like a Chromium Bookmarks file; the menu root tells them apart.
class FalkonReader {
public:
    // The toolbar, the menu and the other bookmarks as folders, separators left out.
    static ResultOf<BookmarkFolder> Read(std::string_view bytes, const std::string& path);

    // True when bytes are a JSON object whose roots include Falkon's bookmark menu.
    static bool Recognises(std::string_view bytes);
};
