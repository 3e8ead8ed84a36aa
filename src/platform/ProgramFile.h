// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The full path of the running program's own executable file.
class ProgramFile {
public:
    static std::string Path();
};
