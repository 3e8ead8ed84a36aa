// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A hash table of a GVDB file, the database GLib programs keep settings and bookmarks in: a
// header, then tables of hash buckets and items, each item a key with a value (a serialised
// GVariant) or a nested table. The file's bytes are read where they lie and must outlive the
// table; every offset is checked against them.
class GvdbTable {
public:
    struct Item {
        std::string_view key;
        char type;
        // The bytes of the value: a GVariant of type "v" for 'v', a table for 'H'.
        std::string_view value;
    };

    // The file's root table, or the failure naming path and the cause: not a GVDB file, another
    // version of the format, cut off, or damaged.
    static ResultOf<GvdbTable> Open(std::string_view file, const std::string& path);
    // True when bytes start with the signature, in either byte order.
    static bool Recognises(std::string_view bytes);

    // The items in the order they are stored.
    const std::vector<Item>& Items() const { return items_; }
    // The nested table stored under key; a failure when there is none or it is damaged.
    ResultOf<GvdbTable> Table(std::string_view key) const;
    // True when the values were written in the other byte order than little-endian.
    bool ByteSwapped() const { return byteSwapped_; }

private:
    enum class Opened { Read, NotGvdb, OtherVersion, CutOff, Damaged };

    Opened Load(std::size_t start, std::size_t end);
    // The bytes from start to end, when they are in the file and aligned as asked.
    Opened Span(std::uint64_t start, std::uint64_t end, std::size_t alignment,
                std::string_view& span) const;
    std::uint32_t Word(std::size_t at) const;
    Failure Refusal(Opened opened) const;

    std::string_view file_;
    std::string path_;
    bool byteSwapped_ = false;
    std::vector<Item> items_;
};
