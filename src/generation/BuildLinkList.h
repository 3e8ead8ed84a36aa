// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "generation/LinkIcons.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Renders the shortcut tree under the source folder as the page's link list: a definition list
// with a link for every shortcut that names an address and a headed, nested list for every
// subfolder that is not ignored. Tidies the ignored-folder list first (entries trimmed, empty
// ones dropped), adds the links written to LinkCount and the folders skipped to IgnoredCount.
// With icons, each link written is noted there with its shortcut's icon.
void BuildLinkList(const Settings& settings, Globals& globals, std::string& html,
                   LinkIcons* icons = nullptr);

// One link as the scan meets it: the shortcut's name without ".url", its address, the names
// of the folders from the source folder down to the one that holds it, the shortcut's file name
// and the image file its IconFile names (empty for none), and the folder holding it, open as
// folderFd.
struct ScannedLink {
    std::string_view name;
    std::string_view address;
    const std::vector<std::string_view>& folders;
    // The shortcut's file name in its folder, as listed.
    std::string_view fileName;
    std::string_view iconFile;
    int folderFd = -1;
    // The shortcut's last change in seconds since 1970, where the visitor wants times.
    std::optional<std::int64_t> modified;
};

// What a walk of the tree meets, in the page's order and with its rules: every link the page
// lists, and every subfolder the page gives a block (ignored folders have none). Views and
// descriptors are valid during the call only.
class LinkTreeVisitor {
public:
    virtual ~LinkTreeVisitor() = default;

    virtual void Link(const ScannedLink& link) = 0;
    // Before the folder's links and subfolders, with its last change in seconds since 1970
    // (nothing when the folder cannot be opened: its block is empty on the page, too).
    virtual void FolderStart(std::string_view name, std::optional<std::int64_t> modified) = 0;
    virtual void FolderEnd() = 0;
    // Whether each link comes with its time; that costs a system call a link, and the folders'
    // times come free with the walk.
    virtual bool WantsTimes() const { return false; }

protected:
    LinkTreeVisitor() = default;
    LinkTreeVisitor(const LinkTreeVisitor&) = default;
    LinkTreeVisitor& operator=(const LinkTreeVisitor&) = default;
};

// Walks the tree of the page with visitor, tidying the ignored-folder list and counting as the
// page does.
void WalkLinkTree(const Settings& settings, Globals& globals, LinkTreeVisitor& visitor);

// Walks the links BuildLinkList writes, in the page's order and with the same rules, handing each
// to visit; the views are valid during the call only.
void WalkLinkList(const Settings& settings, Globals& globals,
                  const std::function<void(const ScannedLink&)>& visit);

// True when name equals an entry of the ignored-folder list, letters a to z in any case.
bool IsIgnoredFolder(const std::string& name, const std::vector<std::string>& ignoreList);

// Appends text to html as text only: & < > " are written as their character references.
void AppendEscaped(std::string& html, std::string_view text);
