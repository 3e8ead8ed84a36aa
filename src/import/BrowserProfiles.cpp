// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProfiles.h"

#include "ImportTexts.h"
#include "IniFile.h"

#include <QByteArray>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

struct Browser {
    std::string word;
    std::string name;
    // Profile folders, relative to the configuration folder ("~" for the home folder).
    std::vector<std::string> folders;
};

const std::vector<Browser>& Chromiums() {
    static const std::vector<Browser> browsers = {
        {"chromium",
         "Chromium",
         {"chromium", "~/snap/chromium/common/chromium",
          "~/.var/app/org.chromium.Chromium/config/chromium"}},
        {"chrome",
         "Chrome",
         {"google-chrome", "~/.var/app/com.google.Chrome/config/google-chrome"}},
        {"brave",
         "Brave",
         {"BraveSoftware/Brave-Browser",
          "~/.var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser"}},
        {"edge", "Edge", {"microsoft-edge", "~/.var/app/com.microsoft.Edge/config/microsoft-edge"}},
        {"vivaldi", "Vivaldi", {"vivaldi"}},
    };
    return browsers;
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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

// The profile Firefox starts with: the default of an installation, else the profile marked as
// default, else the first one.
std::optional<std::string> FirefoxProfile(const std::string& root) {
    const std::string ini = ReadText(root + "/profiles.ini");
    auto places = [&](const std::string& path) {
        return (path.starts_with('/') ? path : root + "/" + path) + "/places.sqlite";
    };
    std::vector<std::string> candidates;
    for (const std::string& section : Sections(ini, "Install"))
        if (const auto path = IniFile::FindValue(ini, section, "Default"))
            candidates.push_back(places(*path));
    const std::vector<std::string> profiles = Sections(ini, "Profile");
    for (const std::string& section : profiles)
        if (IniFile::FindValue(ini, section, "Default") == "1")
            if (const auto path = IniFile::FindValue(ini, section, "Path"))
                candidates.push_back(places(*path));
    for (const std::string& section : profiles)
        if (const auto path = IniFile::FindValue(ini, section, "Path"))
            candidates.push_back(places(*path));
    for (const std::string& candidate : candidates)
        if (IsFile(candidate))
            return candidate;
    return std::nullopt;
}

// The file's name without an .html or .htm extension.
std::string ExportName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    for (const std::string extension : {".html", ".htm", ".json", ".sqlite"}) {
        const std::size_t at = name.size() - std::min(name.size(), extension.size());
        if (name.size() > extension.size() &&
            std::equal(extension.begin(), extension.end(), name.begin() + static_cast<long>(at),
                       [](char a, char b) { return a == std::tolower(b); }))
            return name.substr(0, at);
    }
    return name;
}

} // namespace

const std::vector<std::string>& BrowserProfiles::Browsers() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> list{"firefox"};
        for (const Browser& browser : Chromiums())
            list.push_back(browser.word);
        return list;
    }();
    return words;
}

std::optional<BookmarkSource> BrowserProfiles::Find(const std::string& word,
                                                    const std::string& home,
                                                    const std::string& configHome) {
    if (word == "firefox") {
        for (const char* root : {"/.mozilla/firefox", "/snap/firefox/common/.mozilla/firefox",
                                 "/.var/app/org.mozilla.firefox/.mozilla/firefox"})
            if (auto path = FirefoxProfile(home + root))
                return BookmarkSource{"Firefox", *path};
        return std::nullopt;
    }
    for (const Browser& browser : Chromiums()) {
        if (browser.word != word)
            continue;
        for (const std::string& folder : browser.folders) {
            const std::string path =
                (folder.starts_with("~/") ? home + folder.substr(1) : configHome + "/" + folder) +
                "/Default/Bookmarks";
            if (IsFile(path))
                return BookmarkSource{browser.name, path};
        }
    }
    return std::nullopt;
}

std::optional<BookmarkSource> BrowserProfiles::Find(const std::string& word) {
    const std::string home = qgetenv("HOME").toStdString();
    std::string configHome = qgetenv("XDG_CONFIG_HOME").toStdString();
    if (configHome.empty())
        configHome = home + "/.config";
    return Find(word, home, configHome);
}

std::vector<BookmarkSource> BrowserProfiles::Find() {
    std::vector<BookmarkSource> found;
    for (const std::string& word : Browsers())
        if (auto source = Find(word))
            found.push_back(*source);
    return found;
}

ResultOf<BookmarkSource> BrowserProfiles::Resolve(const std::string& argument) {
    std::string word = argument;
    std::transform(word.begin(), word.end(), word.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    const std::vector<std::string>& words = Browsers();
    if (std::find(words.begin(), words.end(), word) != words.end()) {
        if (auto source = Find(word))
            return *source;
        const auto browser = std::ranges::find(Chromiums(), word, &Browser::word);
        return Failure{
            ImportTexts::NoProfile(browser != Chromiums().end() ? browser->name : "Firefox"), "",
            ""};
    }
    struct stat info {};
    if (stat(argument.c_str(), &info) != 0)
        return Failure{ImportTexts::UnknownSource(argument), argument, ""};
    return ForFile(argument);
}

BookmarkSource BrowserProfiles::ForFile(const std::string& path) {
    return {ExportName(path), path};
}
