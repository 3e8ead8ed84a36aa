// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

// What a reader gives back: folders and links in the order the browser keeps them, titles and
// addresses as stored there (addresses exactly, titles as UTF-8 text), and the site's icon as
// the browser stored it where it keeps one. Links of one site share their icon's bytes.
struct BookmarkLink {
    std::string title;
    std::string url;
    std::shared_ptr<const std::string> icon{};
};

struct BookmarkFolder {
    // Folders deeper than this are refused: no browser makes them, and a hostile file must not
    // make the readers or the writer recurse without bound.
    static constexpr int MaxDepth = 64;

    std::string title;
    std::vector<BookmarkFolder> folders;
    std::vector<BookmarkLink> links;
};
