// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of Falkon's icon database (browsedata.db) over any file: icons or a failure, never
// a crash.
//
// Input: the database file's bytes, as they are.

#include "FuzzInput.h"
#include "import/FalkonIcons.h"

#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder() + "browsedata.db";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    (void)FalkonIcons::Read(path);
    return 0;
}
