#include "ShortcutFile.h"

#include "IniFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Reads up to limit bytes; the listing has already made sure the entry is a plain file, and
// O_NONBLOCK keeps a file swapped for a pipe meanwhile from blocking the scan.
std::string ReadPrefix(int fd, std::size_t limit) {
    std::string bytes;
    char buffer[8192];
    while (bytes.size() < limit) {
        const ssize_t got = read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace

std::string ShortcutFile::ReadAddress(int folderFd, const std::string& name) {
    const int fd = openat(folderFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return {};
    const std::string bytes = ReadPrefix(fd, MaxBytes);
    close(fd);
    return IniFile::FindValue(bytes, "InternetShortcut", "URL").value_or(std::string());
}
