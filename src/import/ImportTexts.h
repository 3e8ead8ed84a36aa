// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The texts of a bookmark import: what went wrong, naming the cause, and what was written.
namespace ImportTexts {

std::string CannotRead(const std::string& path, int error);
std::string NotBookmarks(const std::string& path);
std::string Damaged(const std::string& path, const std::string& cause);
std::string TooDeep(const std::string& path);
std::string EndsTooEarly(const std::string& path);
std::string VersionNotSupported(const std::string& path);
std::string NoProfile(const std::string& browser);
std::string UnknownSource(const std::string& source);
std::string CannotCopy(const std::string& path, int error);
std::string CannotMakeFolder(const std::string& path, int error);
std::string CannotWrite(const std::string& path, int error);
std::string NotAFolder(const std::string& path);
std::string Written(const std::string& folder, long long links, long long folders,
                    long long skipped);

} // namespace ImportTexts
