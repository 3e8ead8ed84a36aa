// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FuzzInput.h"
#include "import/BookmarkTree.h"
#include "import/ShortcutName.h"
#include "import/ShortcutTreeWriter.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

// What every tree a bookmark reader gives must satisfy, read and then written: no deeper than
// a tree may be, and written as exactly one subfolder of the target whose files are one per
// importable link, each a whole shortcut under a name the file system takes.
inline int TreeDepth(const BookmarkFolder& folder) {
    int deepest = 0;
    for (const BookmarkFolder& subfolder : folder.folders)
        deepest = std::max(deepest, TreeDepth(subfolder) + 1);
    return deepest;
}

inline void CheckImport(const BookmarkFolder& tree) {
    Require(TreeDepth(tree) <= BookmarkFolder::MaxDepth, "the tree is no deeper than allowed");
    std::string target = ScratchFolder() + "target-XXXXXX";
    Require(mkdtemp(target.data()) != nullptr, "a target folder can be made");
    ShortcutTreeWriter writer;
    Require(static_cast<bool>(writer.Write(tree, target, "../Fuzz")),
            "a tree that was read can be written");

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(target))
        names.push_back(entry.path().filename());
    Require(names == std::vector<std::string>{".._Fuzz"},
            "the target holds one subfolder, named safely, and nothing else");
    long long shortcuts = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(target)) {
        Require(entry.path().filename().string().size() <= ShortcutName::MaxBytes,
                "no name is longer than a file system takes");
        if (!entry.is_regular_file())
            continue;
        ++shortcuts;
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        const std::string text = content.str();
        Require(text.starts_with("[InternetShortcut]\r\nURL=") && text.ends_with("\r\n") &&
                    text.find_first_of("\r\n", 24) == text.size() - 2 &&
                    ShortcutTreeWriter::Importable(text.substr(24, text.size() - 26)),
                "each file is a shortcut of one importable address");
    }
    Require(shortcuts == writer.Written().links, "one file per link written");
    std::error_code ignored;
    std::filesystem::remove_all(target, ignored);
}
