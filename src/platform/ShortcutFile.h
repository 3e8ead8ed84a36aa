// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Reads the address of an Internet Shortcut file: the value of URL in [InternetShortcut], and
// where asked the image file of its icon (IconFile).
class ShortcutFile {
public:
    // Only the first MaxBytes of a file are looked at, so a huge file costs no memory.
    static constexpr std::size_t MaxBytes = std::size_t{1024} * 1024;

    // Puts the address of the plain file `name` in the open folder folderFd into address, which
    // is left empty when the file cannot be read or names no address. The caller's string is
    // reused, so a scan of many shortcuts allocates nothing per file. With iconFile, its value
    // is put there too (empty when the shortcut names none); with modified, the file's last
    // change in seconds since 1970, taken from the file already open.
    static void ReadAddress(int folderFd, const char* name, std::string& address,
                            std::string* iconFile = nullptr,
                            std::optional<std::int64_t>* modified = nullptr);
};
