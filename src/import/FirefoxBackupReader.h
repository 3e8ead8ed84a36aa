// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

// Reads the backups Firefox keeps of all its bookmarks (bookmarkbackups/*.jsonlz4, one a day)
// and the .json backups it writes on request: a JSON tree of containers and places, either as
// it is or compressed as one LZ4 block after the header "mozLz40\0" and the size of the JSON.
// The toolbar, the menu, other bookmarks and mobile bookmarks become folders, as they do from
// places.sqlite; separators, tags and live bookmarks are left out, place: queries kept for the
// writer to count.
class FirefoxBackupReader {
public:
    static ResultOf<BookmarkFolder> Read(std::string_view bytes, const std::string& path);

    // True for the compressed header, or a JSON object that is the root of the places.
    static bool Recognises(std::string_view bytes);

private:
    // The JSON inside a compressed backup, or why it cannot be had.
    static ResultOf<std::string> Decompress(std::string_view bytes, const std::string& path);
};
