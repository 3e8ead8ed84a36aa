#include "FolderListing.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool EndsWithUrl(const char* name) {
    const std::size_t length = std::strlen(name);
    return length >= 4 && strncasecmp(name + length - 4, ".url", 4) == 0;
}

bool IsFolder(int folderFd, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return fstatat(folderFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

FolderListing FolderListing::Read(int folderFd) {
    FolderListing listing;
    const int ownFd = dup(folderFd);
    if (ownFd < 0)
        return listing;
    DIR* folder = fdopendir(ownFd);
    if (folder == nullptr) {
        close(ownFd);
        return listing;
    }
    rewinddir(folder);
    while (const dirent* entry = readdir(folder)) {
        if (IsDotEntry(entry->d_name))
            continue;
        if (IsFolder(folderFd, *entry))
            listing.folders.emplace_back(entry->d_name);
        if (EndsWithUrl(entry->d_name))
            listing.shortcuts.emplace_back(entry->d_name);
    }
    closedir(folder);
    return listing;
}
