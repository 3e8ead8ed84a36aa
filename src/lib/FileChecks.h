// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// True when Path names an existing folder (a trailing '/' is accepted).
bool FolderExists(const std::string& path);
// True when Path names an existing file that is not a folder.
bool FileExists(const std::string& path);
// Why a folder cannot be listed, as an errno value; 0 when it can.
int FolderError(const std::string& path);
// Why a file cannot be read, as an errno value; 0 when it can.
int FileReadError(const std::string& path);
// Path with one trailing '/'; the empty path stays empty and extra delimiters stay as they are.
std::string AddTrailingPathDelimiter(const std::string& path);
