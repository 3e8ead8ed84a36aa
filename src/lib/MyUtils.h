#pragma once

#include <string>

// True when Path names an existing folder (a trailing '/' is accepted).
bool FolderExists(const std::string& path);
// True when Path names an existing file that is not a folder.
bool FileExists(const std::string& path);
// Path with one trailing '/'; the empty path stays empty and extra delimiters stay as they are.
std::string AddTrailingPathDelimiter(const std::string& path);
