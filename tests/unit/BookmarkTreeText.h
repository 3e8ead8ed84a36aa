// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "platform/Failure.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

// A bookmark tree as lines "folder/title = address", and a folder on disk as lines
// "folder/name = content", each sorted, so a test states a whole tree in one string.
inline void DescribeInto(const BookmarkFolder& folder, const std::string& path,
                         std::set<std::string>& lines) {
    for (const BookmarkLink& link : folder.links)
        lines.insert(path + link.title + " = " + link.url);
    for (const BookmarkFolder& subfolder : folder.folders) {
        lines.insert(path + subfolder.title + "/");
        DescribeInto(subfolder, path + subfolder.title + "/", lines);
    }
}

inline std::string Describe(const BookmarkFolder& tree) {
    std::set<std::string> lines;
    DescribeInto(tree, "", lines);
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// What a read gave: the tree described, nothing for a failure.
inline std::string Describe(const ResultOf<BookmarkFolder>& read) {
    return read ? Describe(*read) : "";
}

// Why a read failed, nothing for a tree.
inline std::string ErrorOf(const ResultOf<BookmarkFolder>& read) {
    return read ? "" : read.failure().Text();
}

inline std::string DescribeFolder(const std::string& root) {
    std::set<std::string> lines;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string name = std::filesystem::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            lines.insert(name + "/");
            continue;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        lines.insert(name + " = " + content.str());
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}
