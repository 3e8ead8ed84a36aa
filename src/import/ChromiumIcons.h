// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/SiteIcons.h"
#include "platform/Failure.h"

#include <string>

// The icons of a Chromium-family profile's pages, from its Favicons database beside Bookmarks:
// icon_mapping names each page's icon, favicon_bitmaps holds its pictures as PNG, of which the
// one nearest 32 pixels is taken. A page without an icon of its own takes that of the first
// page of its host that has one.
class ChromiumIcons {
public:
    // The icons of the Favicons database at path; a failure when it cannot be read or its
    // tables are missing.
    static ResultOf<SiteIcons> Read(const std::string& path);
};
