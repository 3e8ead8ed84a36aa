// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <string>
#include <string_view>

// Replaces the whole content of a file so that readers only ever see the old bytes or the new
// ones: the bytes go to a temporary file beside the target, which is then renamed over it. The
// temporary file has no name until its bytes are on the disk, so a program killed meanwhile
// leaves nothing behind (where the file system cannot make such a file, it is named at once). A
// target that is a symbolic link is written through to the file it points at. An existing file
// keeps its permission bits; a new one gets the usual ones of a created file. An existing file
// we may write in a folder that takes no new file (one we may not write) is written in place,
// as the one way left to update it; a failure there may leave the file part written.
class AtomicFile {
public:
    // A failure naming the file and the system's reason when it could not be replaced.
    static Result Replace(const std::string& path, std::string_view bytes);

    // The file a path finally names once symbolic links are followed (the path itself when it
    // is no link), so that a replacement updates the link's target instead of the link.
    static std::string ResolveLinks(const std::string& path);
};
