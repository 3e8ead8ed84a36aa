// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"

#include <memory>
#include <string>
#include <unordered_map>

// The icons a browser keeps, by the address of the page they belong to and by its host: a link
// takes its page's own icon, else the one its host has. The bytes are as the browser stored
// them; the writer checks them.
class SiteIcons {
public:
    using Icon = std::shared_ptr<const std::string>;

    // The page's own icon; the first one a page of a host gets is that host's too.
    void AddPage(const std::string& url, const Icon& icon);
    // The icon of every page of a host that has none of its own (its /favicon.ico).
    void AddHost(const std::string& url, const Icon& icon);

    bool Empty() const { return pages_.empty() && hosts_.empty(); }
    // Gives each link of the tree that has no icon yet the one kept for it.
    void Attach(BookmarkFolder& tree) const;

    // The host of an address, with its scheme and port: icons are not shared across them.
    static std::string HostOf(const std::string& url);

private:
    Icon Find(const std::string& url) const;

    std::unordered_map<std::string, Icon> pages_;
    std::unordered_map<std::string, Icon> hosts_;
};
