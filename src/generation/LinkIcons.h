// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The site icons of the links on a page, gathered while the scan writes the link list. A
// shortcut's IconFile names an image file inside the source folder (relative to the shortcut's
// folder, or absolute); each distinct one is read and checked once (IconImage), and one the
// page may not show (outside the tree, not a plain file, not an image, too large) is passed
// over. A link without an icon of its own takes the one of the first link of its host that has
// one. The page gets them through %LF_LINK_ICONS%: each icon once, as a data address in a style
// rule, and a list of which link shows which, a few bytes a link.
class LinkIcons {
public:
    explicit LinkIcons(const std::string& sourceFolder);

    // Notes the next link of the list: its address, its shortcut's IconFile value, and the
    // folders from the source folder down to the one holding the shortcut.
    void Add(std::string_view address, std::string_view iconFile,
             const std::vector<std::string_view>& folders);

    // What %LF_LINK_ICONS% becomes: nothing when no link has an icon, so a page without icons
    // is what it was before icons existed.
    std::string Html() const;

    // The bytes of the file a shortcut's IconFile names, relative to the shortcut's folder (open
    // as folderFd) or absolute, when it names a file of this machine that is no program, and
    // that is a plain file of at most IconImage::MaxBytes; nothing for anything else, so a pipe
    // or a device never holds anything up. What the bytes show is for the caller to check.
    static std::optional<std::string> ReadIconFile(int folderFd, std::string_view iconFile);

private:
    int IconOf(std::string_view iconFile, const std::vector<std::string_view>& folders);
    int Load(const std::string& path);
    std::string RealIconPath(const std::string& path);

    std::string source_;
    // The source folder with symbolic links resolved and a final '/': every icon lies below it.
    std::string realSource_;
    std::vector<std::string> icons_;
    std::unordered_map<std::string, int> iconByContent_;
    std::unordered_map<std::string, int> iconByPath_;
    std::unordered_map<std::string, int> hostIds_;
    std::vector<int> hostIcons_;
    // For each link, its own icon (-1: none) and its host (-1: none).
    std::vector<int> linkIcons_;
    std::vector<int> linkHosts_;
    // Buffers the next link reuses.
    std::vector<std::string_view> parts_;
    std::string path_;
    std::string host_;
    // The folder of the last icon looked at, and where it really is.
    std::string knownFolder_;
    std::string realKnownFolder_;
};
