// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// File names for the shortcut tree, made from bookmark titles so that each is one plain entry
// of its folder: never empty, never "." or "..", no '/' or NUL, no control characters, valid
// UTF-8, and at most MaxBytes long with its extension.
class ShortcutName {
public:
    static constexpr std::size_t MaxBytes = 255;

    // The name of a link's file, ".url" included; an unusable title gives way to the host of
    // the address. number > 1 adds " (number)" before the extension.
    static std::string ForLink(std::string_view title, std::string_view url, int number = 1);
    // The name of a folder; number > 1 adds " (number)".
    static std::string ForFolder(std::string_view title, int number = 1);
    // The host part of an address ("example.com" of "https://user@example.com:8080/x"), or
    // empty when it has none.
    static std::string Host(std::string_view url);
};
