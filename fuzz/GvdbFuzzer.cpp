// SPDX-License-Identifier: GPL-3.0-or-later
// The GNOME Web bookmarks reader (GVDB and GVariant) over any bytes: it gives a tree or a failure,
// never a crash, and whatever tree it gives is written safely.
//
// Input: the file's bytes, as they are.

#include "ImportCheck.h"
#include "import/EpiphanyReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ResultOf<BookmarkFolder> read =
        EpiphanyReader::Read(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    if (read)
        CheckImport(*read);
    return 0;
}
