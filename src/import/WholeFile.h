// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Reads a bookmark file into memory whole, refusing one too large to be a bookmark file.
class WholeFile {
public:
    static constexpr long long MaxBytes = 1LL << 30;

    // False with an error text naming the file and the cause.
    static bool Read(const std::string& path, std::string& bytes, std::string& error);
};
