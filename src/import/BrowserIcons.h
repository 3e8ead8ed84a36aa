// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <string>

// Where a browser keeps its site icons, found from the bookmarks the import reads, and the
// icons given to the links that have none.
class BrowserIcons {
public:
    enum class Store {
        // No icons on disk (Firefox's JSON backups carry only the icons' addresses).
        None,
        // Favicons beside a Chromium-family profile's Bookmarks.
        Chromium,
        // browsedata.db beside Falkon's bookmarks.json.
        Falkon,
        // GNOME Web's WebpageIcons.db, in its profile's or its cache's icondatabase folder.
        Epiphany,
        // The Chromium-format Favicons of qutebrowser's QtWebEngine, in its data folder.
        Qutebrowser,
        // The favicons folder of KDE's cache, beside an XBEL file.
        Kio,
    };

    // Gives the links of tree the icons of the store that goes with the bookmarks at path (a
    // file, or qutebrowser's configuration folder). No store there means no icons and no
    // failure; a failure says why a store that is there could not be read.
    static Result Attach(Store store, const std::string& path, BookmarkFolder& tree);
};
