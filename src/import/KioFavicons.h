// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "import/SiteIcons.h"

#include <string>

// The site icons KDE's programs (Konqueror among them) keep in their favicons folder, one PNG a
// host: www.kde.org.png, or www.kde.org_8080.png for a port of its own.
class KioFavicons {
public:
    // The icons of the hosts of the tree's links that the folder holds. Anything but a regular
    // file is passed over, and a file is read only as far as an icon may reach, so that one too
    // large is refused by the writer's check without being read whole.
    static SiteIcons Read(const std::string& folder, const BookmarkFolder& tree);
};
