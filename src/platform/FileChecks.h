// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <string>

// True when Path names an existing folder (a trailing '/' is accepted).
bool FolderExists(const std::string& path);
// True when Path names an existing file that is not a folder.
bool FileExists(const std::string& path);
// True when Path names a plain file: not a folder, a device or a pipe, which a reader would
// wait on for ever.
bool RegularFileExists(const std::string& path);
// True when there is an entry of that name, even a symbolic link that leads nowhere.
bool EntryExists(const std::string& path);
// Success when the folder can be listed, else a failure naming it with the system's reason.
Result CanListFolder(const std::string& path);
// Success when the file can be read, else a failure naming it with the system's reason.
Result CanReadFile(const std::string& path);
// Path with one trailing '/'; the empty path stays empty and extra delimiters stay as they are.
std::string AddTrailingPathDelimiter(const std::string& path);
