// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// INI text as Windows' private-profile functions read and write it: section and key names match
// without regard to letter case, blanks around names and values are dropped, one pair of quotes
// around a value is dropped, ';' starts a comment line, and only the first section of a name and
// the first key within it count. A file starting with a UTF-16LE byte-order mark is read as
// UTF-16LE (and written back that way); a UTF-8 byte-order mark is skipped (and kept).
class IniFile {
public:
    explicit IniFile(std::string path);

    // Reads the whole file; a missing file loads as empty text.
    Result Load();
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Sets a value in memory, in quotes when reading would otherwise drop its outer blanks or
    // quotes. Refuses a value that would break its line, a section or key name that would not
    // read back as itself, text that is not UTF-8 in a UTF-16 file, and any change to a UTF-16
    // file that could not be written back without losing bytes.
    Result SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Replaces the file with the text in memory; fails for a missing folder or unwritable file.
    Result Save() const;
    // The bytes Save would write, in the file's own encoding.
    std::string Bytes() const;

    // Looks a value up in the raw bytes of an INI file.
    static std::optional<std::string> FindValue(std::string_view bytes, std::string_view section,
                                                std::string_view key);
    // The same into value, reusing its buffer: false (and value unchanged) when there is none.
    static bool FindValue(std::string_view bytes, std::string_view section, std::string_view key,
                          std::string& value);

private:
    enum class Encoding { Utf8, Utf8WithMark, Utf16Le };
    struct Line {
        std::string text;
        std::string end;
    };

    std::size_t SectionLine(std::string_view section) const;
    std::size_t InsertionLine(std::size_t sectionLine) const;
    std::string Serialise() const;

    std::string path_;
    Encoding encoding_ = Encoding::Utf8;
    std::string lineEnd_ = "\r\n";
    // False when saving would alter text that was not set (a damaged UTF-16 file).
    bool faithful_ = true;
    std::vector<Line> lines_;
};
