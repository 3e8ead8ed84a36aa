#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
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
    return S_ISREG(old.st_mode) && access(target.c_str(), W_OK) == 0;
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

bool AtomicFile::Replace(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/')
        return false;
    const std::string target = ResolveLinks(path);
    mode_t mode = 0;
    if (!MayReplace(target, mode))
        return false;

    std::string temporary = FolderOf(target) + ".linkshelf-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool complete = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fdatasync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (complete && closed && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}
