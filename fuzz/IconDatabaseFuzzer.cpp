// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of browsers' icon databases over any file: read as a Chromium-family Favicons
// database, as a Firefox favicons.sqlite and as an older places.sqlite holding its icons, they
// give icons or a failure, never a crash.
//
// Input: the database file's bytes, as they are.

#include "FuzzInput.h"
#include "import/ChromiumIcons.h"
#include "import/FirefoxIcons.h"
#include "import/SqliteCopy.h"

#include <fstream>

namespace {

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string chromium = ScratchFolder() + "Favicons";
    const std::string firefox = ScratchFolder() + "favicons.sqlite";
    const std::string places = ScratchFolder() + "old/places.sqlite";
    std::filesystem::create_directories(ScratchFolder() + "old");
    for (const std::string& path : {chromium, firefox, ScratchFolder() + "places.sqlite", places})
        WriteFile(path, data, size);
    (void)ChromiumIcons::Read(chromium);
    SqliteCopy copy;
    if (copy.Open(ScratchFolder() + "places.sqlite") == 0)
        (void)FirefoxIcons::Read(ScratchFolder() + "places.sqlite", copy);
    SqliteCopy old;
    if (old.Open(places) == 0)
        (void)FirefoxIcons::Read(places, old);
    return 0;
}
