// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <optional>
#include <string>
#include <string_view>

// The links the page of a settings file lists, written as a bookmarks file that browsers take
// back in: the same walk as the page (source folder, subfolders or not, ignored folders, order),
// as a Netscape bookmark file (what Firefox and Chromium import; one item a line, the icons as
// data addresses: the image files their IconFile names, of a kind a browser shows) or as XBEL
// 1.0 (which has no place for icons). Names and addresses reach the file as text: control
// characters in names become blanks, bytes that are no UTF-8 become U+FFFD in names and are
// percent-encoded in addresses.
class BookmarkExport {
public:
    enum class Format { Netscape, Xbel };
    struct Counts {
        long long links = 0;
        long long folders = 0;
        // Links written with their icon.
        long long icons = 0;
    };

    // The format a file's name asks for (".html" or ".htm", ".xbel", in any letter case), or the
    // one a --format value names ("html", "xbel"); nothing for anything else.
    static std::optional<Format> FormatOfFile(std::string_view path);
    static std::optional<Format> FormatNamed(std::string_view name);

    // The file's content; counts tells what it holds.
    static std::string Text(const Settings& settings, Globals& globals, Format format,
                            Counts& counts);
    // Writes the file atomically: an earlier file at path stays whole when the write fails. A
    // tree without links writes nothing, as no page is written for it. The failure names the
    // path and the system's reason.
    static ResultOf<Counts> Write(const Settings& settings, Globals& globals,
                                  const std::string& path, Format format);

    // The one line that says what was written, in the run's language.
    static std::string Summary(const std::string& path, const Counts& counts);
    // Why nothing was written: the tree holds no link.
    static std::string NothingToExportText();
};
