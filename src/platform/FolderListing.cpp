// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderListing.h"

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool EndsWithUrl(const char* name, std::size_t length) {
    return length >= 4 && strncasecmp(name + length - 4, ".url", 4) == 0;
}

// What an entry is once symbolic links are followed. Most file systems tell with the entry
// itself; only links and entries of unknown kind cost a look at the file.
mode_t KindOf(int folderFd, const char* name, unsigned char type) {
    switch (type) {
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
    if (fstatat(folderFd, name, &info, 0) != 0)
        return 0;
    return info.st_mode & S_IFMT;
}

} // namespace

// The entries are read straight from the folder's descriptor: a directory stream would cost a
// duplicate descriptor and three more system calls per folder, which in a tree of small folders
// is a good part of the listing's time.
FolderListing FolderListing::Read(int folderFd) {
    struct Entry {
        std::size_t offset;
        std::size_t length;
        bool folder;
    };
    std::vector<Entry> entries;
    FolderListing listing;
    // Filled by each read before it is looked at; clearing it for every folder would be waste.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-member-init)
    alignas(dirent64) std::array<char, 32768> buffer;
    for (;;) {
        const ssize_t got = getdents64(folderFd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (std::size_t offset = 0; offset < static_cast<std::size_t>(got);) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (IsDotEntry(name))
                continue;
            const mode_t kind = KindOf(folderFd, name, entry->d_type);
            const std::size_t length = std::strlen(name);
            if (kind != S_IFDIR && !(kind == S_IFREG && EndsWithUrl(name, length)))
                continue;
            if (kind == S_IFDIR && (std::string_view(name, length).starts_with(ImportWorkPrefix) ||
                                    std::string_view(name, length) == IconFolder))
                continue;
            entries.push_back({listing.names_.size(), length, kind == S_IFDIR});
            listing.names_.insert(listing.names_.end(), name, name + length + 1);
        }
    }
    for (const Entry& entry : entries) {
        const std::string_view name(listing.names_.data() + entry.offset, entry.length);
        (entry.folder ? listing.folders : listing.shortcuts).push_back(name);
    }
    return listing;
}

std::string FolderListing::IconFileValue(int depth, std::string_view name) {
    std::string path;
    for (int level = 0; level < depth; ++level)
        path += "../";
    return path.append(IconFolder).append("/").append(name);
}
