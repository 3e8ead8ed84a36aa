// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Result WriteTextFile(std::string_view text, const std::string& fileName) {
    return AtomicFile::Replace(fileName, text);
}

// Opened without waiting, so that a pipe or a device named as a file cannot hold the run up;
// only a plain file is read.
ResultOf<std::string> ReadTextFile(const std::string& fileName) {
    const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Failure::FromErrno("", fileName, errno);
    std::string bytes;
    struct stat info {};
    int error = fstat(fd, &info) != 0    ? errno
                : S_ISDIR(info.st_mode)  ? EISDIR
                : !S_ISREG(info.st_mode) ? EINVAL
                                         : 0;
    if (error == 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error = errno;
            if (got <= 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    if (error != 0)
        return Failure::FromErrno("", fileName, error);
    return bytes;
}
