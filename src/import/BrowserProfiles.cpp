// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProfiles.h"

#include "import/ImportTexts.h"
#include "import/QutebrowserReader.h"
#include "platform/FileChecks.h"
#include "platform/IniFile.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

// How a browser keeps its bookmarks.
enum class Kind {
    // A file at one of the places.
    File,
    // A profiles.ini at each place names Firefox's profiles; places.sqlite holds the bookmarks.
    FirefoxProfile,
    // The same profiles, their newest file in bookmarkbackups/.
    FirefoxBackup,
    // Falkon's profiles folder: profiles.ini names the profile, bookmarks.json holds them.
    FalkonProfile,
    // qutebrowser's configuration folder, with bookmarks/urls and quickmarks.
    QutebrowserFolder,
};

enum class Base { Home, Config, Data };

struct Place {
    Base base;
    const char* path;
};

struct Browser {
    std::string word;
    std::string name;
    Kind kind;
    std::vector<Place> places;
};

const std::vector<Place> FirefoxPlaces = {
    {Base::Home, ".mozilla/firefox"},
    {Base::Config, "mozilla/firefox"},
    {Base::Home, "snap/firefox/common/.mozilla/firefox"},
    {Base::Home, ".var/app/org.mozilla.firefox/.mozilla/firefox"}};

const std::vector<Browser>& All() {
    static const std::vector<Browser> browsers = {
        {"firefox", "Firefox", Kind::FirefoxProfile, FirefoxPlaces},
        {"chromium",
         "Chromium",
         Kind::File,
         {{Base::Config, "chromium/Default/Bookmarks"},
          {Base::Home, "snap/chromium/common/chromium/Default/Bookmarks"},
          {Base::Home, ".var/app/org.chromium.Chromium/config/chromium/Default/Bookmarks"}}},
        {"chrome",
         "Chrome",
         Kind::File,
         {{Base::Config, "google-chrome/Default/Bookmarks"},
          {Base::Home, ".var/app/com.google.Chrome/config/google-chrome/Default/Bookmarks"}}},
        {"brave",
         "Brave",
         Kind::File,
         {{Base::Config, "BraveSoftware/Brave-Browser/Default/Bookmarks"},
          {Base::Home, "snap/brave/current/.config/BraveSoftware/Brave-Browser/Default/Bookmarks"},
          {Base::Home,
           ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/Bookmarks"}}},
        {"edge",
         "Edge",
         Kind::File,
         {{Base::Config, "microsoft-edge/Default/Bookmarks"},
          {Base::Home, ".var/app/com.microsoft.Edge/config/microsoft-edge/Default/Bookmarks"}}},
        {"vivaldi",
         "Vivaldi",
         Kind::File,
         {{Base::Config, "vivaldi/Default/Bookmarks"},
          {Base::Home, "snap/vivaldi/current/.config/vivaldi/Default/Bookmarks"},
          {Base::Home, ".var/app/com.vivaldi.Vivaldi/config/vivaldi/Default/Bookmarks"}}},
        // Opera keeps its one profile in its folder itself.
        {"opera",
         "Opera",
         Kind::File,
         {{Base::Config, "opera/Bookmarks"},
          {Base::Home, "snap/opera/current/.config/opera/Bookmarks"},
          {Base::Home, ".var/app/com.opera.Opera/config/opera/Bookmarks"}}},
        {"yandex",
         "Yandex",
         Kind::File,
         {{Base::Config, "yandex-browser/Default/Bookmarks"},
          {Base::Home, ".var/app/ru.yandex.Browser/config/yandex-browser/Default/Bookmarks"}}},
        // Installed from the distribution, Ungoogled Chromium shares Chromium's folder.
        {"ungoogled-chromium",
         "Ungoogled Chromium",
         Kind::File,
         {{Base::Home, ".var/app/io.github.ungoogled_software.ungoogled_chromium/config/chromium/"
                       "Default/Bookmarks"}}},
        {"librewolf",
         "LibreWolf",
         Kind::FirefoxProfile,
         {{Base::Home, ".librewolf"},
          {Base::Home, "snap/librewolf/common/.librewolf"},
          {Base::Home, ".var/app/io.gitlab.librewolf-community/.librewolf"}}},
        {"floorp",
         "Floorp",
         Kind::FirefoxProfile,
         {{Base::Home, ".floorp"}, {Base::Home, ".var/app/one.ablaze.floorp/.floorp"}}},
        {"waterfox",
         "Waterfox",
         Kind::FirefoxProfile,
         {{Base::Home, ".waterfox"}, {Base::Home, ".var/app/net.waterfox.waterfox/.waterfox"}}},
        {"zen",
         "Zen",
         Kind::FirefoxProfile,
         {{Base::Home, ".zen"}, {Base::Home, ".var/app/app.zen_browser.zen/.zen"}}},
        {"falkon",
         "Falkon",
         Kind::FalkonProfile,
         {{Base::Config, "falkon/profiles"},
          {Base::Home, "snap/falkon/current/.config/falkon/profiles"},
          {Base::Home, ".var/app/org.kde.falkon/config/falkon/profiles"}}},
        {"konqueror",
         "Konqueror",
         Kind::File,
         {{Base::Data, "konqueror/bookmarks.xml"},
          {Base::Home, ".kde/share/apps/konqueror/bookmarks.xml"},
          {Base::Home, "snap/konqueror/current/.local/share/konqueror/bookmarks.xml"},
          {Base::Home, ".var/app/org.kde.konqueror/data/konqueror/bookmarks.xml"}}},
        {"epiphany",
         "GNOME Web",
         Kind::File,
         {{Base::Data, "epiphany/bookmarks.gvdb"},
          {Base::Home, "snap/epiphany/current/.local/share/epiphany/bookmarks.gvdb"},
          {Base::Home, ".var/app/org.gnome.Epiphany/data/epiphany/bookmarks.gvdb"}}},
        {"qutebrowser",
         "qutebrowser",
         Kind::QutebrowserFolder,
         {{Base::Config, "qutebrowser"},
          {Base::Home, ".var/app/org.qutebrowser.qutebrowser/config/qutebrowser"}}},
        {"firefox-backup", "Firefox backup", Kind::FirefoxBackup, FirefoxPlaces},
    };
    return browsers;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The names of the sections of an INI text that start with prefix, in file order.
std::vector<std::string> Sections(const std::string& text, const std::string& prefix) {
    std::vector<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t open = line.find_first_not_of(" \t");
        const std::size_t close = line.find(']');
        if (open != std::string::npos && line[open] == '[' && close != std::string::npos &&
            line.compare(open + 1, prefix.size(), prefix) == 0)
            names.push_back(line.substr(open + 1, close - open - 1));
    }
    return names;
}

// The profile folders Firefox may start with, best first: the default of an installation, the
// profile marked as default, then every profile.
std::vector<std::string> FirefoxProfiles(const std::string& root) {
    const std::string ini = ReadText(root + "/profiles.ini");
    auto folder = [&](const std::string& path) {
        return path.starts_with('/') ? path : root + "/" + path;
    };
    std::vector<std::string> folders;
    for (const std::string& section : Sections(ini, "Install"))
        if (const auto path = IniFile::FindValue(ini, section, "Default"))
            folders.push_back(folder(*path));
    const std::vector<std::string> profiles = Sections(ini, "Profile");
    for (const std::string& section : profiles)
        if (IniFile::FindValue(ini, section, "Default") == "1")
            if (const auto path = IniFile::FindValue(ini, section, "Path"))
                folders.push_back(folder(*path));
    for (const std::string& section : profiles)
        if (const auto path = IniFile::FindValue(ini, section, "Path"))
            folders.push_back(folder(*path));
    return folders;
}

// The entries of a folder whose names end in suffix, sorted.
std::vector<std::string> Entries(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    if (DIR* listing = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name.ends_with(suffix))
                names.push_back(name);
        }
        closedir(listing);
    }
    std::ranges::sort(names);
    return names;
}

// Firefox names its backups "bookmarks-YYYY-MM-DD_COUNT_HASH.jsonlz4" (older ones
// "bookmarks-YYYY-MM-DD.json"): the newest is the one of the latest day, by name.
std::optional<std::string> NewestBackup(const std::string& profile) {
    const std::string folder = profile + "/bookmarkbackups";
    std::optional<std::string> newest;
    std::string newestDay;
    // On the same day the compressed backup, which newer versions write, wins.
    for (const char* suffix : {".json", ".jsonlz4"})
        for (const std::string& name : Entries(folder, suffix)) {
            const std::string day = name.substr(0, std::min(name.size(), name.find_first_of("_.")));
            if (name.starts_with("bookmarks-") && RegularFileExists(folder + "/" + name) &&
                day >= newestDay) {
                newest = folder + "/" + name;
                newestDay = day;
            }
        }
    return newest;
}

// Falkon's profile: the one profiles.ini starts with, else "default", else the first.
std::optional<std::string> FalkonBookmarks(const std::string& root) {
    std::vector<std::string> profiles;
    if (const auto start =
            IniFile::FindValue(ReadText(root + "/profiles.ini"), "Profiles", "startProfile"))
        profiles.push_back(*start);
    profiles.emplace_back("default");
    for (const std::string& name : Entries(root, ""))
        profiles.push_back(name);
    for (const std::string& profile : profiles)
        if (RegularFileExists(root + "/" + profile + "/bookmarks.json"))
            return root + "/" + profile + "/bookmarks.json";
    return std::nullopt;
}

std::optional<std::string> FindAt(Kind kind, const std::string& place) {
    switch (kind) {
    case Kind::File:
        return RegularFileExists(place) ? std::optional(place) : std::nullopt;
    case Kind::FirefoxProfile:
        for (const std::string& profile : FirefoxProfiles(place))
            if (RegularFileExists(profile + "/places.sqlite"))
                return profile + "/places.sqlite";
        return std::nullopt;
    case Kind::FirefoxBackup:
        for (const std::string& profile : FirefoxProfiles(place))
            if (auto backup = NewestBackup(profile))
                return backup;
        return std::nullopt;
    case Kind::FalkonProfile:
        return FalkonBookmarks(place);
    case Kind::QutebrowserFolder:
        return QutebrowserReader::HoldsBookmarks(place) ? std::optional(place) : std::nullopt;
    }
    return std::nullopt;
}

std::string PathOf(const Place& place, const BrowserProfiles::Homes& homes) {
    switch (place.base) {
    case Base::Config:
        return homes.config + "/" + place.path;
    case Base::Data:
        return homes.data + "/" + place.path;
    case Base::Home:
        break;
    }
    return homes.home + "/" + place.path;
}

// The file's name without the extension of a bookmarks file.
std::string ExportName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    for (const std::string extension :
         {".html", ".htm", ".json", ".jsonlz4", ".sqlite", ".xbel", ".xml", ".gvdb"}) {
        const std::size_t at = name.size() - std::min(name.size(), extension.size());
        if (name.size() > extension.size() &&
            std::equal(extension.begin(), extension.end(), name.begin() + static_cast<long>(at),
                       [](char a, char b) { return a == std::tolower(b); }))
            return name.substr(0, at);
    }
    return name;
}

} // namespace

BrowserProfiles::Homes BrowserProfiles::Homes::OfUser() {
    return {UserFolders::Home(), UserFolders::Base("XDG_CONFIG_HOME", ".config"),
            UserFolders::Base("XDG_DATA_HOME", ".local/share")};
}

const std::vector<std::string>& BrowserProfiles::Browsers() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> list;
        for (const Browser& browser : All())
            list.push_back(browser.word);
        return list;
    }();
    return words;
}

std::optional<BookmarkSource> BrowserProfiles::Find(const std::string& word, const Homes& homes) {
    const auto browser = std::ranges::find(All(), word, &Browser::word);
    if (browser == All().end())
        return std::nullopt;
    for (const Place& place : browser->places)
        if (auto path = FindAt(browser->kind, PathOf(place, homes)))
            return BookmarkSource{browser->name, *path};
    return std::nullopt;
}

std::optional<BookmarkSource> BrowserProfiles::Find(const std::string& word) {
    return Find(word, Homes::OfUser());
}

// Every Firefox profile keeps backups: listing them beside Firefox itself would offer the same
// bookmarks twice, only older.
std::vector<BookmarkSource> BrowserProfiles::Find() {
    const Homes homes = Homes::OfUser();
    std::vector<BookmarkSource> found;
    bool firefox = false;
    for (const Browser& browser : All()) {
        if (browser.kind == Kind::FirefoxBackup && firefox)
            continue;
        if (auto source = Find(browser.word, homes)) {
            firefox = firefox || browser.word == "firefox";
            found.push_back(*source);
        }
    }
    return found;
}

ResultOf<BookmarkSource> BrowserProfiles::Resolve(const std::string& argument) {
    std::string word = argument;
    std::transform(word.begin(), word.end(), word.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    if (const auto browser = std::ranges::find(All(), word, &Browser::word);
        browser != All().end()) {
        if (auto source = Find(word))
            return *source;
        return Failure{ImportTexts::NoProfile(browser->name), "", ""};
    }
    struct stat info {};
    if (stat(argument.c_str(), &info) != 0)
        return Failure{ImportTexts::UnknownSource(argument, Browsers()), argument, ""};
    return ForFile(argument);
}

BookmarkSource BrowserProfiles::ForFile(const std::string& path) {
    return {ExportName(path), path};
}
