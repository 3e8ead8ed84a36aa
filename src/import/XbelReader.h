// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BookmarkReader.h"

#include <string>
#include <string_view>

// Reads an XBEL file (XML Bookmark Exchange Language, as Konqueror, Falkon, GNOME's and KDE's
// bookmark editors and Linkshelf's own export write it): <folder> elements with a <title> hold
// <bookmark href> elements with a <title>; aliases, separators and descriptions are passed over.
// The XML parser reads no outside file, so the DOCTYPE's address is never fetched.
class XbelReader : public BookmarkReader {
public:
    ResultOf<BookmarkFolder> ReadBytes(std::string_view bytes, const std::string& path) override;

    // True when bytes are markup whose first element, near the start, is <xbel>.
    static bool Recognises(std::string_view bytes);
};
