// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <optional>
#include <string>
#include <vector>

// Where bookmarks are imported from: the file (or, for qutebrowser, the folder) read and the name
// of the folder they go into ("Firefox", "Chromium"... for a browser's profile, the file's own
// name for an export file).
struct BookmarkSource {
    std::string name;
    std::string path;
};

// The browsers' default profiles on this machine, each where the browser keeps it and where its
// Flatpak and Snap keep it: Firefox and its forks (LibreWolf, Floorp, Waterfox, Zen) by their
// profiles.ini, Firefox's newest bookmark backup, the Chromium family (Chromium, Chrome, Brave,
// Edge, Vivaldi, Opera, Yandex, Ungoogled Chromium), Falkon by its profiles.ini, Konqueror's
// XBEL file, GNOME Web's database and qutebrowser's configuration folder.
class BrowserProfiles {
public:
    // The folders a user's programs keep their files in.
    struct Homes {
        std::string home;
        std::string config;
        std::string data;
        // The user's: $HOME, $XDG_CONFIG_HOME and $XDG_DATA_HOME, or their defaults.
        static Homes OfUser();
    };

    // The words that name a browser on the command line, in the order profiles are listed.
    static const std::vector<std::string>& Browsers();

    // Every browser's default profile that holds bookmarks, in the order of Browsers(); Firefox's
    // backup only where Firefox itself was not found.
    static std::vector<BookmarkSource> Find();
    // The default profile of the browser named by word, or nothing.
    static std::optional<BookmarkSource> Find(const std::string& word);
    // The same, looking in the given folders.
    static std::optional<BookmarkSource> Find(const std::string& word, const Homes& homes);

    // A bookmark file as a source, named after the file.
    static BookmarkSource ForFile(const std::string& path);
    // The source an argument names: a browser word, or else a file; a failure saying why
    // when it names neither a browser with a profile nor a file.
    static ResultOf<BookmarkSource> Resolve(const std::string& argument);
};
