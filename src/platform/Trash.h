// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <QDateTime>
#include <string>
#include <vector>

// The user's freedesktop Trash: a file moved there gets a .trashinfo naming where it came from,
// so the file manager can put it back, and so can the program.
class Trash {
public:
    // Moves the file to the Trash of its file system and gives its place there; a file or folder
    // that may not be changed, or a file system without a Trash, is a failure with the reason.
    static Result Move(const std::string& path, std::string& place);
    // Puts the file at place in a Trash back at path, which must be free, and removes its
    // .trashinfo; the folders of path are made again if they are gone.
    static Result Restore(const std::string& place, const std::string& path);
    // The places in the home Trash of the files moved there from path no earlier than since, the
    // newest first. A .trashinfo gives the path percent-encoded, but earlier versions of the
    // program wrote it as it stood: a place counts when either reading is path. The two differ
    // only for a name that holds "%" and two hex digits, and then name different files, which
    // the caller tells apart by the file itself.
    static std::vector<std::string> Find(const std::string& path, const QDateTime& since);
};
