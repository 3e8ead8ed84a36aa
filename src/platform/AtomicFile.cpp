// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MaxLinkHops = 40;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash + 1);
}

std::string ReadLink(const std::string& path) {
    std::string target(PATH_MAX, '\0');
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length <= 0)
        return {};
    target.resize(static_cast<std::size_t>(length));
    return target;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t CreationMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// An existing target must be a plain file we may write: renaming over a device, a pipe or a
// file without write permission would do what writing into it could not.
bool MayReplace(const std::string& target, mode_t& mode) {
    struct stat old {};
    if (stat(target.c_str(), &old) != 0) {
        mode = CreationMode();
        return errno == ENOENT;
    }
    mode = old.st_mode & 07777;
    if (!S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EPERM;
        return false;
    }
    return access(target.c_str(), W_OK) == 0;
}

// Removes a temporary file after a failure, keeping in errno the reason of the failure.
void RemoveKeepingCause(const std::string& temporary) {
    const int cause = errno;
    unlink(temporary.c_str());
    errno = cause;
}

// The new bytes in full, with the target's permission bits, on the disk.
bool WriteSynced(int fd, std::string_view bytes, mode_t mode) {
    return WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fdatasync(fd) == 0;
}

// Gives the file open as fd, which has no name yet, a temporary name in folder; empty when
// the system cannot (without /proc, for one).
std::string NameUnnamed(int fd, const std::string& folder) {
    static std::atomic<unsigned> serial = 0;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            folder + ".linkshelf-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    return {};
}

// Writes the bytes into a file that has no name until they are all on the disk, then names it
// and renames it over the target. Killed at any moment before that, the program leaves nothing
// behind: the system frees a file without a name. Answers nothing when the file system cannot
// make such a file, true or false for the outcome otherwise.
std::optional<bool> ReplaceThroughUnnamed(const std::string& target, const std::string& folder,
                                          std::string_view bytes, mode_t mode) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                        S_IRUSR | S_IWUSR);
    if (fd < 0)
        return std::nullopt;
    if (!WriteSynced(fd, bytes, mode)) {
        close(fd);
        return false;
    }
    const std::string temporary = NameUnnamed(fd, folder);
    const bool closed = close(fd) == 0;
    if (temporary.empty())
        return std::nullopt;
    if (closed && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    RemoveKeepingCause(temporary);
    return false;
}

// Room for the new bytes is taken before any old byte is overwritten, so a full disk or a
// file-size limit fails the write while the file still holds its old bytes.
bool ReserveRoom(int fd, std::size_t size) {
    if (size == 0)
        return true;
    if (fallocate(fd, 0, 0, static_cast<off_t>(size)) == 0)
        return true;
    return errno == EOPNOTSUPP || errno == ENOSYS;
}

// Writes the bytes over the target itself: for a file whose folder takes no new file, this is
// the only way to update it. The file keeps its owner and permission bits. Opening does not
// wait, in case a pipe has taken the plain file's place.
bool WriteInPlace(const std::string& target, std::string_view bytes) {
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool complete = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                          ReserveRoom(fd, bytes.size()) && WriteAll(fd, bytes) &&
                          ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                          fdatasync(fd) == 0;
    return close(fd) == 0 && complete;
}

} // namespace

std::string AtomicFile::ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        const std::string target = ReadLink(current);
        if (target.empty())
            return current;
        current = target.front() == '/' ? target : FolderOf(current) + target;
    }
    return current;
}

namespace {

// The replacement itself; false with the system's reason in errno.
bool ReplaceOrSetErrno(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') {
        errno = EISDIR;
        return false;
    }
    const std::string target = AtomicFile::ResolveLinks(path);
    mode_t mode = 0;
    if (!MayReplace(target, mode))
        return false;

    const std::string folder = FolderOf(target);
    if (const std::optional<bool> replaced = ReplaceThroughUnnamed(target, folder, bytes, mode))
        return *replaced;

    std::string temporary = folder + ".linkshelf-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        const int cause = errno;
        if (access(target.c_str(), F_OK) == 0)
            return WriteInPlace(target, bytes);
        errno = cause;
        return false;
    }
    const bool complete = WriteSynced(fd, bytes, mode);
    const bool closed = close(fd) == 0;
    if (complete && closed && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    RemoveKeepingCause(temporary);
    return false;
}

} // namespace

Result AtomicFile::Replace(const std::string& path, std::string_view bytes) {
    if (!ReplaceOrSetErrno(path, bytes))
        return Failure::FromErrno("", path, errno);
    return {};
}
