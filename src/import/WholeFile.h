// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <string>

// Reads a bookmark file into memory whole, refusing one too large to be a bookmark file.
class WholeFile {
public:
    static constexpr long long MaxBytes = 1LL << 30;

    // The bytes, or the failure naming the file and the cause.
    static ResultOf<std::string> Read(const std::string& path);
};
