#include "MyUtils.h"

#include <sys/stat.h>

namespace {

bool StatOf(const std::string& path, struct stat& info) {
    return !path.empty() && stat(path.c_str(), &info) == 0;
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

std::string AddTrailingPathDelimiter(const std::string& path) {
    if (path.empty() || path.back() == '/')
        return path;
    return path + '/';
}
