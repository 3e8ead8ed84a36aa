// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include "platform/AtomicFile.h"

#include <QString>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Names are mostly written in the case they are looked up with, so an exact match answers
// first and letters are folded only when it fails.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upperA = (a[i] >= 'a' && a[i] <= 'z') ? a[i] - 32 : a[i];
        const auto upperB = (b[i] >= 'a' && b[i] <= 'z') ? b[i] - 32 : b[i];
        if (upperA != upperB)
            return false;
    }
    return true;
}

std::string_view DropQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// What one line of INI text is.
struct ParsedLine {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string_view name;
    std::string_view value;
};

ParsedLine ParseLine(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const std::string_view inner = text.substr(1);
        return {ParsedLine::Kind::Section, TrimBlanks(inner.substr(0, inner.find(']'))), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {ParsedLine::Kind::Key, TrimBlanks(text.substr(0, equals)),
            DropQuotes(TrimBlanks(text.substr(equals + 1)))};
}

bool IsSectionLine(std::string_view line) {
    for (const char c : line)
        if (!IsBlank(c))
            return c == '[';
    return false;
}

// A key line must read back as that key, not as a comment, a section line or another name.
bool ReadsBackAsKey(std::string_view key) {
    return key.find_first_of("\r\n=") == std::string_view::npos && TrimBlanks(key) == key &&
           !key.starts_with(';') && !key.starts_with('[');
}

bool ReadsBackAsSection(std::string_view section) {
    return section.find_first_of("\r\n]") == std::string_view::npos &&
           TrimBlanks(section) == section;
}

// The value as its line must hold it so that reading drops exactly what writing added: a value
// with blanks at an end, or in a pair of quotes, goes inside one more pair.
std::string StoredValue(std::string_view value) {
    if (TrimBlanks(value) == value && DropQuotes(value) == value)
        return std::string(value);
    return std::string("\"").append(value).append("\"");
}

// Splits text at CR LF, LF or CR, handing each line and its end to the visitor, which answers
// false to stop.
template <typename Visitor> void ForEachLine(std::string_view text, Visitor&& visit) {
    while (!text.empty()) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
        const std::size_t limit = lineFeed != nullptr ? lineFeed - text.data() : text.size();
        const auto* carriageReturn =
            static_cast<const char*>(std::memchr(text.data(), '\r', limit));
        const std::size_t stop = carriageReturn != nullptr ? carriageReturn - text.data() : limit;
        if (stop == text.size()) {
            visit(text, std::string_view{});
            return;
        }
        const std::size_t endLength =
            (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n') ? 2 : 1;
        if (!visit(text.substr(0, stop), text.substr(stop, endLength)))
            return;
        text.remove_prefix(stop + endLength);
    }
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return QString::fromStdU16String(units).toStdString();
}

std::string Utf8ToUtf16Le(std::string_view text) {
    const std::u16string units =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU16String();
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Bytes that are not UTF-8 have no UTF-16 form; writing them would put other text in the file.
bool Utf16LeCanHold(std::string_view text) {
    return Utf16LeToUtf8(Utf8ToUtf16Le(text)) == text;
}

// The text of a file's bytes with its byte-order mark dealt with.
std::string_view TextOf(std::string_view bytes, std::string& decoded) {
    if (bytes.starts_with(Utf16LeMark)) {
        decoded = Utf16LeToUtf8(bytes.substr(Utf16LeMark.size()));
        return decoded;
    }
    if (bytes.starts_with(Utf8Mark))
        return bytes.substr(Utf8Mark.size());
    return bytes;
}

std::optional<std::string_view> FindInText(std::string_view text, std::string_view section,
                                           std::string_view key) {
    enum class Where { Before, Inside, After } where = Where::Before;
    std::optional<std::string_view> found;
    ForEachLine(text, [&](std::string_view line, std::string_view) {
        // Before the section only section lines matter, so other lines are not taken apart.
        if (where == Where::Before && !IsSectionLine(line))
            return true;
        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == ParsedLine::Kind::Section) {
            if (where == Where::Inside)
                return false;
            if (SameName(parsed.name, section))
                where = Where::Inside;
        } else if (parsed.kind == ParsedLine::Kind::Key && where == Where::Inside &&
                   SameName(parsed.name, key)) {
            found = parsed.value;
            return false;
        }
        return true;
    });
    return found;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, bool& missing) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return false;
    struct stat info {};
    const bool known = fstat(fd, &info) == 0;
    bool ok = known && S_ISREG(info.st_mode);
    if (known && !ok)
        errno = S_ISDIR(info.st_mode) ? EISDIR : EPERM;
    char buffer[65536];
    while (ok) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return ok;
}

} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

Result IniFile::Load() {
    lines_.clear();
    faithful_ = true;
    encoding_ = Encoding::Utf8;
    lineEnd_ = "\r\n";
    std::string bytes;
    bool missing = false;
    if (!ReadWholeFile(path_, bytes, missing))
        return missing ? Result() : Failure::FromErrno("", path_, errno);

    if (bytes.starts_with(Utf16LeMark))
        encoding_ = Encoding::Utf16Le;
    else if (bytes.starts_with(Utf8Mark))
        encoding_ = Encoding::Utf8WithMark;
    std::string decoded;
    const std::string_view text = TextOf(bytes, decoded);
    // A UTF-16 file with a stray byte or half a character would not be written back as it was.
    faithful_ = encoding_ != Encoding::Utf16Le ||
                Utf8ToUtf16Le(text) == std::string_view(bytes).substr(Utf16LeMark.size());
    bool styleKnown = false;
    ForEachLine(text, [&](std::string_view line, std::string_view end) {
        if (!styleKnown && !end.empty()) {
            lineEnd_ = std::string(end);
            styleKnown = true;
        }
        lines_.push_back({std::string(line), std::string(end)});
        return true;
    });
    return {};
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const std::size_t start = SectionLine(section);
    for (std::size_t i = start + 1; i < lines_.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines_[i].text);
        if (parsed.kind == ParsedLine::Kind::Section)
            break;
        if (parsed.kind == ParsedLine::Kind::Key && SameName(parsed.name, key))
            return std::string(parsed.value);
    }
    return std::nullopt;
}

Result IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    // A value the file could not give back as it is refuses the write.
    if (value.find_first_of("\r\n") != std::string_view::npos || !ReadsBackAsKey(key) ||
        !ReadsBackAsSection(section) || !faithful_ ||
        (encoding_ == Encoding::Utf16Le &&
         !(Utf16LeCanHold(section) && Utf16LeCanHold(key) && Utf16LeCanHold(value))))
        return Failure::FromErrno("", path_, EINVAL);
    const std::string stored = StoredValue(value);
    const std::string keyLine = std::string(key) + "=" + stored;
    const std::size_t sectionLine = SectionLine(section);
    if (sectionLine == lines_.size()) {
        if (!lines_.empty() && lines_.back().end.empty())
            lines_.back().end = lineEnd_;
        lines_.push_back({std::string("[").append(section).append("]"), lineEnd_});
        lines_.push_back({keyLine, lineEnd_});
        return {};
    }
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines_[i].text);
        if (parsed.kind == ParsedLine::Kind::Section)
            break;
        if (parsed.kind == ParsedLine::Kind::Key && SameName(parsed.name, key)) {
            std::string& text = lines_[i].text;
            text.replace(text.find('=') + 1, std::string::npos, stored);
            return {};
        }
    }
    const std::size_t after = InsertionLine(sectionLine);
    if (lines_[after].end.empty())
        lines_[after].end = lineEnd_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1, {keyLine, lineEnd_});
    return {};
}

Result IniFile::Save() const {
    return AtomicFile::Replace(path_, Bytes());
}

std::string IniFile::Bytes() const {
    std::string text = Serialise();
    switch (encoding_) {
    case Encoding::Utf16Le:
        return std::string(Utf16LeMark) + Utf8ToUtf16Le(text);
    case Encoding::Utf8WithMark:
        return std::string(Utf8Mark) + text;
    case Encoding::Utf8:
        break;
    }
    return text;
}

std::optional<std::string> IniFile::FindValue(std::string_view bytes, std::string_view section,
                                              std::string_view key) {
    std::string decoded;
    const std::optional<std::string_view> found = FindInText(TextOf(bytes, decoded), section, key);
    if (!found)
        return std::nullopt;
    return std::string(*found);
}

bool IniFile::FindValue(std::string_view bytes, std::string_view section, std::string_view key,
                        std::string& value) {
    std::string decoded;
    const std::optional<std::string_view> found = FindInText(TextOf(bytes, decoded), section, key);
    if (found)
        value.assign(*found);
    return found.has_value();
}

std::size_t IniFile::SectionLine(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines_[i].text);
        if (parsed.kind == ParsedLine::Kind::Section && SameName(parsed.name, section))
            return i;
    }
    return lines_.size();
}

// The line after which a new key of the section goes: its last key line, or its header.
std::size_t IniFile::InsertionLine(std::size_t sectionLine) const {
    std::size_t last = sectionLine;
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        const ParsedLine::Kind kind = ParseLine(lines_[i].text).kind;
        if (kind == ParsedLine::Kind::Section)
            break;
        if (kind == ParsedLine::Kind::Key)
            last = i;
    }
    return last;
}

std::string IniFile::Serialise() const {
    std::string text;
    for (const Line& line : lines_)
        text.append(line.text).append(line.end);
    return text;
}
