// SPDX-License-Identifier: GPL-3.0-or-later
// The export-file reader over any markup, after the export file's first line and on its own as
// a file without it: it gives a tree or an error, never a crash or a hang, and whatever tree it
// gives is written safely.
//
// Input: the markup, as it is.

#include "ImportCheck.h"
#include "import/ExportFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string markup(reinterpret_cast<const char*>(data), size);
    for (const std::string& bytes : {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n" + markup, markup}) {
        ExportFileReader reader;
        const ResultOf<BookmarkFolder> tree = reader.ReadBytes(bytes, "fuzz");
        if (tree)
            CheckImport(*tree);
    }
    return 0;
}
