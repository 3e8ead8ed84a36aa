// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Globals.h"
#include "settings/Settings.h"

#include <cstdint>
#include <string>
#include <vector>

// How a file stood when it was looked at: a change to it since shows in its size or time.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp&) const = default;
    // The file's stamp now; size -1 when it is gone.
    static FileStamp Of(const std::string& path);
};

// A link the check looks at: its address, the shortcut's name and the folder path from the source
// folder down ("/" for the source folder itself, "/News/Tech" below it), and the shortcut file
// with its stamp as it was read.
struct LinkToCheck {
    std::string address;
    std::string name;
    std::string folder;
    std::string file{};
    FileStamp stamp{};
};

// The links the page of these settings would list, in the page's order. The scan tidies a copy
// of the ignored-folder list, so nothing the caller holds changes.
std::vector<LinkToCheck> CollectLinks(const Settings& settings, const Globals& globals);
