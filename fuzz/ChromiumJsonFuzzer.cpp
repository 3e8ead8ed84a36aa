// SPDX-License-Identifier: GPL-3.0-or-later
// The Chromium bookmarks reader over any bytes: it gives a tree or an error, never a crash,
// and whatever tree it gives is written safely.
//
// Input: the file's bytes, as they are.

#include "ImportCheck.h"
#include "import/ChromiumReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ChromiumReader reader;
    const ResultOf<BookmarkFolder> tree =
        reader.ReadBytes(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    if (tree)
        CheckImport(*tree);
    return 0;
}
