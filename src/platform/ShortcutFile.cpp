// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutFile.h"

#include "platform/IniFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view Utf16LeMark = "\xFF\xFE";

// One read at offset, repeated only when a signal interrupts it; the count of bytes read. A read
// at a given place spares the system the lock on the file's position that a plain read takes
// while a second thread shares the process's files.
std::size_t ReadSome(int fd, char* buffer, std::size_t size, std::size_t offset) {
    for (;;) {
        const ssize_t got = pread(fd, buffer, size, static_cast<off_t>(offset));
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            return 0;
    }
}

// Looks at the whole file (up to MaxBytes), head being what was read of it so far.
void FindInWholeFile(int fd, std::string_view head, std::string& address, std::string* iconFile) {
    std::string bytes(head);
    std::size_t chunk = std::max<std::size_t>(head.size(), 4096);
    while (bytes.size() < ShortcutFile::MaxBytes) {
        const std::size_t filled = bytes.size();
        bytes.resize(std::min(ShortcutFile::MaxBytes, filled + chunk));
        const std::size_t got = ReadSome(fd, bytes.data() + filled, bytes.size() - filled, filled);
        bytes.resize(filled + got);
        if (got == 0)
            break;
        chunk *= 2;
    }
    IniFile::FindValue(bytes, "InternetShortcut", "URL", address);
    if (iconFile != nullptr)
        IniFile::FindValue(bytes, "InternetShortcut", "IconFile", *iconFile);
}

} // namespace

// Only the first URL key of the first [InternetShortcut] section counts, so once it has been
// found on a finished line nothing further in the file can change it: the usual shortcut costs
// one read into a buffer on the stack, not a second one to meet the end of the file. A UTF-16
// file is looked at whole, as its line ends are two bytes. O_NONBLOCK keeps an entry swapped
// for a pipe since the listing from blocking the scan.
void ShortcutFile::ReadAddress(int folderFd, const char* name, std::string& address,
                               std::string* iconFile, std::optional<std::int64_t>* modified) {
    address.clear();
    if (iconFile != nullptr)
        iconFile->clear();
    if (modified != nullptr)
        modified->reset();
    const int fd = openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    // The open file answers without a second look-up of its name.
    struct stat info {};
    if (modified != nullptr && fstat(fd, &info) == 0)
        *modified = static_cast<std::int64_t>(info.st_mtime);
    // Filled by the read before it is looked at; clearing it for every shortcut would be waste.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-member-init)
    std::array<char, 4096> buffer;
    const std::string_view head(buffer.data(), ReadSome(fd, buffer.data(), buffer.size(), 0));
    // The icon may be named anywhere in the file, so it is settled only by the whole file.
    const bool whole = iconFile == nullptr || head.size() < buffer.size();
    const bool settled = !head.empty() && (head.back() == '\n' || head.back() == '\r') &&
                         !head.starts_with(Utf16LeMark) && whole &&
                         IniFile::FindValue(head, "InternetShortcut", "URL", address);
    if (!settled && !head.empty())
        FindInWholeFile(fd, head, address, iconFile);
    else if (settled && iconFile != nullptr)
        IniFile::FindValue(head, "InternetShortcut", "IconFile", *iconFile);
    close(fd);
}
