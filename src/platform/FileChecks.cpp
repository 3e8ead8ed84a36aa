// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChecks.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool StatOf(const std::string& path, struct stat& info) {
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

int FolderError(const std::string& path) {
    struct stat info {};
    if (path.empty())
        return ENOENT;
    if (stat(path.c_str(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    return access(path.c_str(), R_OK | X_OK) == 0 ? 0 : errno;
}

int FileReadError(const std::string& path) {
    if (path.empty())
        return ENOENT;
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return errno;
    struct stat info {};
    const int error = fstat(file, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    close(file);
    return error;
}

Result FailureOf(const std::string& path, int error) {
    if (error == 0)
        return {};
    return Failure::FromErrno("", path, error);
}

} // namespace

bool FolderExists(const std::string& path) {
    struct stat info {};
    return StatOf(path, info) && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return StatOf(path, info) && !S_ISDIR(info.st_mode);
}

bool RegularFileExists(const std::string& path) {
    struct stat info {};
    return StatOf(path, info) && S_ISREG(info.st_mode);
}

bool EntryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && lstat(path.c_str(), &info) == 0;
}

Result CanListFolder(const std::string& path) {
    return FailureOf(path, FolderError(path));
}

Result CanReadFile(const std::string& path) {
    return FailureOf(path, FileReadError(path));
}

std::string AddTrailingPathDelimiter(const std::string& path) {
    if (path.empty() || path.back() == '/')
        return path;
    return path + '/';
}
