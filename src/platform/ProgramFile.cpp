// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFile.h"

#include <climits>
#include <unistd.h>

std::string ProgramFile::Path() {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0)
        return {};
    path.resize(static_cast<std::size_t>(length));
    return path;
}
