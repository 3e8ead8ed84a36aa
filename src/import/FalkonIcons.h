// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/SiteIcons.h"
#include "platform/Failure.h"

#include <string>

// The icons of a Falkon profile's pages, from its browsedata.db beside bookmarks.json: the
// icons table holds each page's address and its picture. A page without an icon of its own
// takes that of the first page of its host that has one.
class FalkonIcons {
public:
    // The icons of the database at path; a failure when it cannot be read or has no icons
    // table with the columns it needs.
    static ResultOf<SiteIcons> Read(const std::string& path);
};
