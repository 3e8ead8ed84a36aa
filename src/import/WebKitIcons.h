// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/SiteIcons.h"
#include "platform/Failure.h"

#include <string>

// The icons of the pages a WebKit browser (GNOME Web) has shown, from its icon database
// (WebpageIcons.db): PageURL names each page's icon, IconData holds the icon's picture. A page
// without an icon of its own takes that of the first page of its host that has one.
class WebKitIcons {
public:
    // The icons of the database at path; a failure when it cannot be read or its tables are
    // missing.
    static ResultOf<SiteIcons> Read(const std::string& path);
};
