// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserIcons.h"

#include "import/ChromiumIcons.h"
#include "import/FalkonIcons.h"
#include "import/KioFavicons.h"
#include "import/WebKitIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <initializer_list>
#include <optional>

namespace {

using Store = BrowserIcons::Store;

std::string Folder(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

std::string Clean(const std::string& path) {
    return QDir::cleanPath(QString::fromStdString(path)).toStdString();
}

// The path with its last part tail put as replacement, or nothing when it does not end so.
std::optional<std::string> Swapped(const std::string& path, std::string_view tail,
                                   std::string_view replacement) {
    if (!path.ends_with(tail))
        return std::nullopt;
    return path.substr(0, path.size() - tail.size()) + std::string(replacement);
}

std::string UserFolder(QStandardPaths::StandardLocation location) {
    return Clean(QStandardPaths::writableLocation(location).toStdString());
}

// The first of the places that exists as a file or a folder, empty when none does.
std::string FirstThere(std::initializer_list<std::optional<std::string>> places) {
    for (const std::optional<std::string>& place : places)
        if (place && QFileInfo::exists(QString::fromStdString(*place)))
            return *place;
    return {};
}

// A program's data folder beside its configuration folder: in the home folder, a Flatpak's
// or qutebrowser's own --basedir, else the user's data folder when the configuration is the
// user's.
std::string QutebrowserFavicons(const std::string& path) {
    std::string config =
        Clean(QFileInfo(QString::fromStdString(path)).isDir() ? path : Folder(path));
    if (config.ends_with("/bookmarks"))
        config = Folder(config);
    const std::string favicons = "/webengine/Favicons";
    const std::string userConfig = UserFolder(QStandardPaths::GenericConfigLocation);
    return FirstThere(
        {Swapped(config, "/.config/qutebrowser", "/.local/share/qutebrowser" + favicons),
         Swapped(config, "/config/qutebrowser", "/data/qutebrowser" + favicons),
         Swapped(config, "/config", "/data" + favicons),
         config == userConfig + "/qutebrowser"
             ? std::optional(UserFolder(QStandardPaths::GenericDataLocation) + "/qutebrowser" +
                             favicons)
             : std::nullopt});
}

// GNOME Web keeps its icons in its cache folder (a profile of its own in the profile folder).
std::string EpiphanyIcons(const std::string& bookmarks) {
    const std::string profile = Clean(Folder(bookmarks));
    const std::string icons = "/icondatabase/WebpageIcons.db";
    const std::string userData = UserFolder(QStandardPaths::GenericDataLocation);
    return FirstThere(
        {profile + icons, Swapped(profile, "/.local/share/epiphany", "/.cache/epiphany" + icons),
         Swapped(profile, "/data/epiphany", "/cache/epiphany" + icons),
         profile == userData + "/epiphany"
             ? std::optional(UserFolder(QStandardPaths::GenericCacheLocation) + "/epiphany" + icons)
             : std::nullopt});
}

// KDE's programs keep their icons in the cache folder beside the data folder the XBEL file is
// in (a Flatpak's own), else in the user's.
std::string KioFolder(const std::string& xbel) {
    const std::string folder = Clean(Folder(xbel));
    return FirstThere({Swapped(folder, "/.local/share/konqueror", "/.cache/favicons"),
                       Swapped(folder, "/data/konqueror", "/cache/favicons"),
                       UserFolder(QStandardPaths::GenericCacheLocation) + "/favicons"});
}

// Gives the tree the icons read from file with read; nothing to do where no file was found.
Result AttachRead(const std::string& file, ResultOf<SiteIcons> (*read)(const std::string&),
                  BookmarkFolder& tree) {
    if (file.empty())
        return {};
    const ResultOf<SiteIcons> icons = read(file);
    if (!icons)
        return icons.failure();
    icons->Attach(tree);
    return {};
}

} // namespace

Result BrowserIcons::Attach(Store store, const std::string& path, BookmarkFolder& tree) {
    switch (store) {
    case Store::None:
        return {};
    case Store::Chromium:
        return AttachRead(FirstThere({Folder(path) + "/Favicons"}), ChromiumIcons::Read, tree);
    case Store::Qutebrowser:
        return AttachRead(QutebrowserFavicons(path), ChromiumIcons::Read, tree);
    case Store::Falkon:
        return AttachRead(FirstThere({Folder(path) + "/browsedata.db"}), FalkonIcons::Read, tree);
    case Store::Epiphany:
        return AttachRead(EpiphanyIcons(path), WebKitIcons::Read, tree);
    case Store::Kio:
        if (const std::string found = KioFolder(path); !found.empty())
            KioFavicons::Read(found, tree).Attach(tree);
        return {};
    }
    return {};
}
