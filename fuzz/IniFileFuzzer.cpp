// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader and writer on arbitrary file bytes: the in-memory reader agrees with the one
// over raw bytes, a value that SetValue accepts reads back exactly after Save, and a write
// changes nothing but the one key's line (or adds it, with its section when that is missing).
//
// Input: section, key and value, each ended by a zero byte, then the file's bytes.

#include "FuzzInput.h"
#include "platform/IniFile.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    Require(static_cast<bool>(file.flush()), "the scratch file can be written");
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string_view MarkOf(std::string_view bytes) {
    if (bytes.starts_with(Utf16LeMark))
        return Utf16LeMark;
    if (bytes.starts_with(Utf8Mark))
        return Utf8Mark;
    return {};
}

// The lines of a file without their ends, in the file's own code units, so that a comparison
// sees every byte, also one that decoding the file would lose.
std::vector<std::string> RawLines(std::string_view bytes) {
    const std::string_view mark = MarkOf(bytes);
    bytes.remove_prefix(mark.size());
    const std::size_t unit = mark == Utf16LeMark ? 2 : 1;
    const auto isUnit = [&](std::size_t at, char c) {
        return at + unit <= bytes.size() && bytes[at] == c && (unit == 1 || bytes[at + 1] == '\0');
    };
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t at = 0; at < bytes.size(); at += unit) {
        const bool cr = isUnit(at, '\r');
        if (cr || isUnit(at, '\n')) {
            lines.push_back(std::move(line));
            line.clear();
            if (cr && isUnit(at + unit, '\n'))
                at += unit;
        } else {
            line.append(bytes.substr(at, unit));
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

// After setting one key the file holds every old line in its old order, with either one line
// changed (the key's) or one or two lines added in one place (the key's, maybe its section's).
bool KeepsOtherLines(const std::vector<std::string>& before,
                     const std::vector<std::string>& after) {
    if (after.size() < before.size() || after.size() > before.size() + 2)
        return false;
    std::size_t first = 0;
    while (first < before.size() && before[first] == after[first])
        ++first;
    const std::size_t added = after.size() - before.size();
    const std::size_t skip = added == 0 && first < before.size() ? 1 : 0;
    for (std::size_t at = first + skip; at < before.size(); ++at)
        if (before[at] != after[at + added])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string section = input.UpToZero();
    const std::string key = input.UpToZero();
    const std::string value = input.UpToZero();
    const std::string bytes = input.Rest();

    const std::string path = ScratchFolder() + "settings.lfs";
    WriteFile(path, bytes);
    IniFile file(path);
    Require(static_cast<bool>(file.Load()), "a plain file loads");
    const std::optional<std::string> found = IniFile::FindValue(bytes, section, key);
    Require(file.Value(section, key) == found, "the file reader and the byte reader agree");
    std::string into = "left alone";
    Require(IniFile::FindValue(bytes, section, key, into) == found.has_value() &&
                into == found.value_or("left alone"),
            "both forms of the byte reader agree");

    if (!file.SetValue(section, key, value))
        return 0;
    Require(static_cast<bool>(file.Save()), "a value that was accepted is saved");
    const std::string written = ReadFile(path);
    IniFile reread(path);
    Require(static_cast<bool>(reread.Load()), "a saved file loads");
    Require(reread.Value(section, key) == value, "a saved value reads back unchanged");
    Require(MarkOf(written) == MarkOf(bytes), "a write keeps the byte-order mark");
    Require(KeepsOtherLines(RawLines(bytes), RawLines(written)),
            "a write keeps every other line as it was");
    return 0;
}
