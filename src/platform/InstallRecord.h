// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <string>

// Records in the per-machine settings which version of the program is installed where: the
// group "major.minor" of "Linkshelf Project/Linkshelf" in the system-wide settings (/etc/xdg).
class InstallRecord {
public:
    // A failure naming the per-machine settings file when it cannot be written; the caller
    // decides whether that is worth saying.
    static Result Write(const std::string& location);
};
