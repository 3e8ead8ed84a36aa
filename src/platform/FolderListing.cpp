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

// What an entry is once symbolic links are followed. Most file systems tell with the entry
// itself; only links and entries of unknown kind cost a look at the file.
mode_t KindOf(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return S_IFDIR;
    case DT_REG:
        return S_IFREG;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return 0;
    }
    struct stat info {};
    if (fstatat(folderFd, entry.d_name, &info, 0) != 0)
        return 0;
    return info.st_mode & S_IFMT;
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
    while (const dirent* entry = readdir(folder)) {
        if (IsDotEntry(entry->d_name))
            continue;
        const mode_t kind = KindOf(folderFd, *entry);
        if (kind == S_IFDIR)
            listing.folders.emplace_back(entry->d_name);
        else if (kind == S_IFREG && EndsWithUrl(entry->d_name))
            listing.shortcuts.emplace_back(entry->d_name);
    }
    closedir(folder);
    return listing;
}
