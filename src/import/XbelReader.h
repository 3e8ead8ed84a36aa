// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>
#include <string_view>

// Reads an XBEL 1.0 file (XML Bookmark Exchange Language: *.xbel, KDE's bookmarks.xml and what
// other programs write): folders, bookmarks, separators and aliases with their titles, with or
// without a DOCTYPE, a version or namespaces; metadata such as KDE's icons is passed over. An
// alias becomes a copy of the folder or bookmark it names, never of a folder it sits in.
class XbelReader {
public:
    static ResultOf<BookmarkFolder> Read(std::string_view bytes, const std::string& path);

    // True when bytes are XML whose DOCTYPE or first element is xbel.
    static bool Recognises(std::string_view bytes);
};
