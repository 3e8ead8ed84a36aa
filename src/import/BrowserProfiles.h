// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Failure.h"

#include <optional>
#include <string>
#include <vector>

// Where bookmarks are imported from: the file read and the name of the folder they go into
// ("Firefox", "Chromium"... for a browser's profile, the file's own name for an export file).
struct BookmarkSource {
    std::string name;
    std::string path;
};

// The browsers' default profiles on this machine: Firefox (by its profiles.ini, also as a Snap
// or Flatpak) and the Chromium family (Chromium, Chrome, Brave, Edge, Vivaldi) under the
// user's configuration folder.
class BrowserProfiles {
public:
    // The words that name a browser on the command line, in the order profiles are listed.
    static const std::vector<std::string>& Browsers();

    // Every browser's default profile that holds bookmarks, in the order of Browsers().
    static std::vector<BookmarkSource> Find();
    // The default profile of the browser named by word, or nothing.
    static std::optional<BookmarkSource> Find(const std::string& word);

    // The same, looking in the given home and configuration folders.
    static std::optional<BookmarkSource> Find(const std::string& word, const std::string& home,
                                              const std::string& configHome);

    // A bookmark file as a source, named after the file.
    static BookmarkSource ForFile(const std::string& path);
    // The source an argument names: a browser word, or else a file; a failure saying why
    // when it names neither a browser with a profile nor a file.
    static ResultOf<BookmarkSource> Resolve(const std::string& argument);
};
