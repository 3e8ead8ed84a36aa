#include "ShortcutFile.h"

#include "IniFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

// Fills buffer from fd up to its end or the end of the file; the count of bytes read.
std::size_t ReadInto(int fd, char* buffer, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = read(fd, buffer + filled, size - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

} // namespace

// A shortcut file is a few hundred bytes, so it is read into a buffer on the stack; only a
// larger one costs a heap copy, and then no more than MaxBytes of it. O_NONBLOCK keeps an
// entry swapped for a pipe since the listing from blocking the scan.
std::string ShortcutFile::ReadAddress(int folderFd, const std::string& name) {
    const int fd = openat(folderFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return {};
    std::array<char, 4096> small;
    const std::size_t got = ReadInto(fd, small.data(), small.size());
    std::optional<std::string> address;
    if (got < small.size()) {
        address =
            IniFile::FindValue(std::string_view(small.data(), got), "InternetShortcut", "URL");
    } else {
        std::string bytes(small.data(), got);
        for (bool full = true; full && bytes.size() < MaxBytes;) {
            const std::size_t filled = bytes.size();
            bytes.resize(std::min(MaxBytes, 2 * filled));
            const std::size_t more = ReadInto(fd, bytes.data() + filled, bytes.size() - filled);
            full = filled + more == bytes.size();
            bytes.resize(filled + more);
        }
        address = IniFile::FindValue(bytes, "InternetShortcut", "URL");
    }
    close(fd);
    return address.value_or(std::string());
}
