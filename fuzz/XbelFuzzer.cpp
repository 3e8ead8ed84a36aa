// SPDX-License-Identifier: GPL-3.0-or-later
// The XBEL reader over any bytes, as they are and after the XBEL file's first lines: it gives a
// tree or an error, never a crash or a hang, and whatever tree it gives is written safely.
//
// Input: the XML, as it is.

#include "ImportCheck.h"
#include "XbelReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string xml(reinterpret_cast<const char*>(data), size);
    for (const std::string& bytes :
         {"<?xml version=\"1.0\"?>\n<xbel version=\"1.0\">" + xml, xml}) {
        XbelReader reader;
        const ResultOf<BookmarkFolder> tree = reader.ReadBytes(bytes, "fuzz");
        if (tree)
            CheckImport(*tree);
    }
    return 0;
}
