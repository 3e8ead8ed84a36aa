// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkReader.h"

#include <string>
#include <string_view>

// Reads a bookmark export file (<!DOCTYPE NETSCAPE-Bookmark-file-1>), as every browser writes
// it on "Export": folders are <H3> headings, links <A HREF>, and each folder's content is the
// <DL> list after its heading. The markup is read by an HTML parser, so unclosed <DT> and <p>,
// attributes in any case and character references come out as a browser reads them. A file
// without its first line is read when it holds a bookmark list; a file that ends before its
// list does (still being written, or cut off in a copy) is refused, never read in part.
class ExportFileReader : public BookmarkReader {
public:
    ResultOf<BookmarkFolder> ReadBytes(std::string_view bytes, const std::string& path) override;

    // True when bytes start like an export file, or are markup holding a bookmark list.
    static bool Recognises(std::string_view bytes);
};
