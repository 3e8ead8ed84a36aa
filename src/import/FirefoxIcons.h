// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/SiteIcons.h"
#include "platform/Failure.h"

#include <string>

class SqliteCopy;

// The icons of a Firefox profile's pages. Since Firefox 55 they are in favicons.sqlite beside
// places.sqlite (tables moz_icons, moz_pages_w_icons, moz_icons_to_pages, whose columns have
// changed between versions); older profiles keep one icon per page in places.sqlite itself
// (moz_favicons, named by moz_places.favicon_id). Of a page's icons the one nearest 32 pixels
// is taken, an SVG (stored with width 65535) before any; a host's root icon (its /favicon.ico)
// serves its pages that have none and wins over a page's own only when it is nearer that size.
class FirefoxIcons {
public:
    // The icons of the profile whose places.sqlite is at placesPath and open as places. A
    // profile that keeps no icons gives none; a failure when the icons' tables are missing or
    // damaged.
    static ResultOf<SiteIcons> Read(const std::string& placesPath, const SqliteCopy& places);
};
