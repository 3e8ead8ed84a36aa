// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Records in the per-machine settings which version of the program is installed where: the
// group "major.minor" of "Linkshelf Project/Linkshelf" in the system-wide settings (/etc/xdg).
class InstallRecord {
public:
    // False, and nothing said, when the per-machine settings cannot be written.
    static bool Write(const std::string& location);
};
