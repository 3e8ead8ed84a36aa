// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkToCheck.h"

#include "BuildLinkList.h"

std::vector<LinkToCheck> CollectLinks(const Settings& settings, const Globals& globals) {
    Globals scanGlobals = globals;
    std::vector<LinkToCheck> links;
    WalkLinkList(settings, scanGlobals, [&links](const ScannedLink& link) {
        std::string folder(link.folders.empty() ? "/" : "");
        for (const std::string_view name : link.folders)
            folder.append("/").append(name);
        links.push_back({std::string(link.address), std::string(link.name), std::move(folder)});
    });
    return links;
}
