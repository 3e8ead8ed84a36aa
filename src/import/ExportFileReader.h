#pragma once

#include "BookmarkTree.h"

#include <string>
#include <string_view>

// Reads a bookmark export file (<!DOCTYPE NETSCAPE-Bookmark-file-1>), as every browser writes
// it on "Export": folders are <H3> headings, links <A HREF>, and each folder's content is the
// <DL> list after its heading. The markup is read by an HTML parser, so unclosed <DT> and <p>,
// attributes in any case and character references come out as a browser reads them.
class ExportFileReader {
public:
    BookmarkFolder Read(const std::string& path);
    // The same from the file's bytes; path only names the file in an error.
    BookmarkFolder ReadBytes(std::string_view bytes, const std::string& path);

    bool HasError() const { return !error_.empty(); }
    const std::string& ErrorString() const { return error_; }

    // True when bytes start like an export file.
    static bool Recognises(std::string_view bytes);

private:
    std::string error_;
};
