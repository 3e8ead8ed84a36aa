#pragma once

#include <string>

// Reads the address of an Internet Shortcut file: the value of URL in [InternetShortcut].
class ShortcutFile {
public:
    // Only the first MaxBytes of a file are looked at, so a huge file costs no memory.
    static constexpr std::size_t MaxBytes = 1024 * 1024;

    // The address of the plain file `name` in the open folder folderFd; empty when it cannot be
    // read or names no address.
    static std::string ReadAddress(int folderFd, const std::string& name);
};
