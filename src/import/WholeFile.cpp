// SPDX-License-Identifier: GPL-3.0-or-later
#include "WholeFile.h"

#include "import/ImportTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ResultOf<std::string> WholeFile::Read(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > MaxBytes) {
        const int cause = fd < 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : EFBIG;
        if (fd >= 0)
            close(fd);
        return Failure{ImportTexts::CannotRead(path, cause), path, ""};
    }
    std::string bytes;
    bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (true) {
        if (done == bytes.size())
            bytes.resize(bytes.size() + 65536);
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || done > static_cast<std::size_t>(MaxBytes)) {
            const int cause = got < 0 ? errno : EFBIG;
            close(fd);
            return Failure{ImportTexts::CannotRead(path, cause), path, ""};
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    close(fd);
    bytes.resize(done);
    return bytes;
}
