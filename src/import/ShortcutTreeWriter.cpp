// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutTreeWriter.h"

#include "import/ImportTexts.h"
#include "import/ShortcutName.h"
#include "platform/FolderListing.h"
#include "platform/IconImage.h"
#include "text/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Folders under construction, and replaced ones on their way out, carry this prefix, which the
// scan never lists. Each is locked while its import runs, so a later import can tell a leftover
// of a killed one.
constexpr std::string_view WorkPrefix = FolderListing::ImportWorkPrefix;

constexpr std::string_view Schemes[] = {"http", "https", "ftp",  "file", "mailto", "news",
                                        "nntp", "irc",   "ircs", "tel",  "sms",    "magnet"};

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

private:
    int fd_;
};

Descriptor OpenFolder(int parentFd, const char* name) {
    return Descriptor(openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Names of one folder's entries, "." and ".." left out.
std::vector<std::pair<std::string, bool>> Entries(int folderFd) {
    std::vector<std::pair<std::string, bool>> entries;
    const int fd = dup(folderFd);
    DIR* folder = fd >= 0 ? fdopendir(fd) : nullptr;
    if (folder == nullptr) {
        if (fd >= 0)
            close(fd);
        return entries;
    }
    rewinddir(folder);
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info {};
        const bool isFolder = fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                              S_ISDIR(info.st_mode);
        entries.emplace_back(name, isFolder);
    }
    closedir(folder);
    return entries;
}

// Removes the folder name in parentFd with everything in it, symbolic links as links. Walks
// down and back up by name so that a tree of any depth needs two descriptors at a time.
bool RemoveTree(int parentFd, const std::string& name) {
    Descriptor current = OpenFolder(parentFd, name.c_str());
    if (!current.Valid())
        return false;
    std::vector<std::string> path;
    while (true) {
        std::string subfolder;
        for (const auto& [entry, isFolder] : Entries(current.Get())) {
            if (isFolder && subfolder.empty())
                subfolder = entry;
            else if (!isFolder && unlinkat(current.Get(), entry.c_str(), 0) != 0)
                return false;
        }
        if (!subfolder.empty()) {
            Descriptor below = OpenFolder(current.Get(), subfolder.c_str());
            if (!below.Valid())
                return false;
            current = std::move(below);
            path.push_back(subfolder);
            continue;
        }
        if (path.empty())
            return unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) == 0;
        Descriptor above(openat(current.Get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!above.Valid() || unlinkat(above.Get(), path.back().c_str(), AT_REMOVEDIR) != 0)
            return false;
        current = std::move(above);
        path.pop_back();
    }
}

// Removes what killed imports left behind, leaving alone any that another import still holds.
void RemoveLeftovers(int targetFd) {
    for (const auto& [entry, isFolder] : Entries(targetFd)) {
        if (!isFolder || !entry.starts_with(WorkPrefix))
            continue;
        const Descriptor folder = OpenFolder(targetFd, entry.c_str());
        if (folder.Valid() && flock(folder.Get(), LOCK_EX | LOCK_NB) == 0)
            RemoveTree(targetFd, entry);
    }
}

// The names already given in one folder, and the next number to try for each name.
class NameBook {
public:
    template <typename MakeName> std::string Take(MakeName makeName) {
        std::string first = makeName(1);
        if (used_.insert(first).second)
            return first;
        // Keyed by the second name, so links and folders of one name count apart.
        int& number = next_.try_emplace(makeName(2), 2).first->second;
        while (true) {
            std::string name = makeName(number++);
            if (used_.insert(name).second)
                return name;
        }
    }

private:
    std::unordered_set<std::string> used_;
    std::unordered_map<std::string, int> next_;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Puts the subfolder in place of the final one (if any) and leaves the old one at the working
// name. Where the file system cannot exchange two names, the old folder is moved aside first.
bool SwapIn(int targetFd, const std::string& work, const std::string& final, bool exists) {
    if (!exists)
        return renameat2(targetFd, work.c_str(), targetFd, final.c_str(), RENAME_NOREPLACE) == 0 ||
               ((errno == EINVAL || errno == ENOSYS) &&
                renameat(targetFd, work.c_str(), targetFd, final.c_str()) == 0);
    if (renameat2(targetFd, work.c_str(), targetFd, final.c_str(), RENAME_EXCHANGE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    const std::string aside = std::string(WorkPrefix) + "old";
    return mkdirat(targetFd, aside.c_str(), 0700) == 0 &&
           renameat(targetFd, final.c_str(), targetFd, aside.c_str()) == 0 &&
           renameat(targetFd, work.c_str(), targetFd, final.c_str()) == 0 &&
           renameat(targetFd, aside.c_str(), targetFd, work.c_str()) == 0;
}

} // namespace

bool ShortcutTreeWriter::Importable(std::string_view url) {
    const bool schemeKnown = std::ranges::any_of(Schemes, [&](std::string_view scheme) {
        return url.size() > scheme.size() && url[scheme.size()] == ':' &&
               StartsWithNoCase(url, scheme);
    });
    // A shortcut reader drops outer blanks and ends the address at a line end.
    const bool fitsLine =
        std::ranges::none_of(
            url, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }) &&
        !url.ends_with(' ');
    return schemeKnown && fitsLine;
}

Result ShortcutTreeWriter::Write(const BookmarkFolder& tree, const std::string& targetFolder,
                                 const std::string& name) {
    counts_ = {};
    iconNames_.clear();
    iconFiles_.clear();
    const std::string final = ShortcutName::ForFolder(name);
    folderPath_ = (targetFolder.ends_with('/') ? targetFolder : targetFolder + "/") + final;

    std::error_code made;
    std::filesystem::create_directories(targetFolder, made);
    const Descriptor target(open(targetFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!target.Valid())
        return Failure{ImportTexts::CannotMakeFolder(targetFolder, made ? made.value() : errno),
                       targetFolder, ""};
    struct stat existing {};
    const bool exists = fstatat(target.Get(), final.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && !S_ISDIR(existing.st_mode))
        return Failure{ImportTexts::NotAFolder(folderPath_), folderPath_, ""};
    RemoveLeftovers(target.Get());

    std::string work = std::string(WorkPrefix) + "XXXXXX";
    std::string workPath = targetFolder + "/" + work;
    if (mkdtemp(workPath.data()) == nullptr)
        return Failure{ImportTexts::CannotWrite(targetFolder, errno), targetFolder, ""};
    work = workPath.substr(workPath.size() - work.size());
    const Descriptor workFd = OpenFolder(target.Get(), work.c_str());
    workFd_ = workFd.Get();
    if (!workFd.Valid() || flock(workFd.Get(), LOCK_EX) != 0 || fchmod(workFd.Get(), 0755) != 0 ||
        !WriteFolder(workFd.Get(), tree, 0) || !SwapIn(target.Get(), work, final, exists)) {
        Failure failure{ImportTexts::CannotWrite(folderPath_, errno), folderPath_, ""};
        RemoveTree(target.Get(), work);
        return failure;
    }
    if (exists)
        RemoveTree(target.Get(), work);
    return {};
}

bool ShortcutTreeWriter::WriteFolder(int folderFd, const BookmarkFolder& folder, int depth) {
    if (depth > BookmarkFolder::MaxDepth) {
        errno = ELOOP;
        return false;
    }
    NameBook names;
    for (const BookmarkLink& link : folder.links) {
        if (!Importable(link.url)) {
            ++counts_.skipped;
            continue;
        }
        const auto nameOf = [&](int number) {
            return ShortcutName::ForLink(link.title, link.url, number);
        };
        Descriptor file;
        // A folder that ignores letter case may already hold a name that differs only in case.
        do
            file = Descriptor(openat(folderFd, names.Take(nameOf).c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        while (!file.Valid() && errno == EEXIST);
        if (!file.Valid() || !WriteAll(file.Get(), "[InternetShortcut]\r\nURL=" + link.url +
                                                       "\r\n" + IconLines(link, depth)))
            return false;
        ++counts_.links;
    }
    for (const BookmarkFolder& subfolder : folder.folders) {
        const auto nameOf = [&](int number) {
            return ShortcutName::ForFolder(subfolder.title, number);
        };
        std::string name;
        int made = 0;
        do {
            name = names.Take(nameOf);
            made = mkdirat(folderFd, name.c_str(), 0777);
        } while (made != 0 && errno == EEXIST);
        if (made != 0)
            return false;
        const Descriptor below = OpenFolder(folderFd, name.c_str());
        if (!below.Valid() || !WriteFolder(below.Get(), subfolder, depth + 1))
            return false;
        ++counts_.folders;
    }
    return true;
}

std::string ShortcutTreeWriter::IconLines(const BookmarkLink& link, int depth) {
    if (!link.icon)
        return {};
    const auto [known, added] = iconNames_.try_emplace(link.icon.get());
    if (added) {
        known->second = KeepIcon(*link.icon);
        if (known->second.empty())
            ++counts_.iconsRefused;
    }
    if (known->second.empty())
        return {};
    ++counts_.withIcon;
    return "IconFile=" + FolderListing::IconFileValue(depth, known->second) + "\r\nIconIndex=0\r\n";
}

// A failure to write an icon loses the icon, not the import.
std::string ShortcutTreeWriter::KeepIcon(const std::string& bytes) {
    const std::optional<QByteArray> png = IconImage::Checked(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!png)
        return {};
    std::string name = IconImage::FileName(*png);
    if (iconFiles_.contains(name))
        return name;
    const std::string folder(FolderListing::IconFolder);
    if (iconFiles_.empty() && mkdirat(workFd_, folder.c_str(), 0755) != 0 && errno != EEXIST)
        return {};
    const Descriptor icons = OpenFolder(workFd_, folder.c_str());
    const Descriptor file(icons.Valid()
                              ? openat(icons.Get(), name.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)
                              : -1);
    if (!file.Valid() || !WriteAll(file.Get(), png->toStdString()))
        return {};
    iconFiles_.insert(name);
    return name;
}
