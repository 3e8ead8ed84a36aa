#include "ShortcutFile.h"

#include "IniFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadPrefix(int fd, std::size_t limit) {
    std::string bytes(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
        const ssize_t got = read(fd, bytes.data() + filled, limit - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace

std::string ShortcutFile::ReadAddress(int folderFd, const std::string& name) {
    const int fd = openat(folderFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat info {};
    std::string bytes;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        bytes = ReadPrefix(fd, std::min<std::size_t>(static_cast<std::size_t>(info.st_size),
                                                     MaxBytes));
    close(fd);
    return IniFile::FindValue(bytes, "InternetShortcut", "URL").value_or(std::string());
}
