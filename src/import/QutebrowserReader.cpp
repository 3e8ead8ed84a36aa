// SPDX-License-Identifier: GPL-3.0-or-later
#include "QutebrowserReader.h"

#include "import/ImportTexts.h"
#include "import/WholeFile.h"
#include "platform/FileChecks.h"

#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace {

constexpr const char* UrlsFile = "/bookmarks/urls";
constexpr const char* QuickmarksFile = "/quickmarks";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The lines that hold anything, trimmed.
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        if (const std::string_view line = Trimmed(bytes.substr(0, end)); !line.empty())
            lines.push_back(line);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return lines;
}

// "scheme:" at the start of an address, as RFC 3986 spells a scheme.
std::size_t SchemeLength(std::string_view address) {
    if (address.empty() || !std::isalpha(static_cast<unsigned char>(address.front())))
        return 0;
    for (std::size_t i = 1; i < address.size(); ++i) {
        const char c = address[i];
        if (c == ':')
            return i;
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return 0;
    }
    return 0;
}

// Schemes whose addresses have no "//" after them.
bool OpaqueScheme(std::string_view scheme) {
    static constexpr std::array<std::string_view, 8> schemes = {
        "about", "mailto", "javascript", "data", "news", "tel", "magnet", "qute"};
    return std::ranges::find(schemes, scheme) != schemes.end();
}

// Whether an address names its scheme; "localhost:8080/x" does not.
bool HasScheme(std::string_view address) {
    const std::size_t length = SchemeLength(address);
    return length > 0 && (address.substr(length + 1).starts_with("//") ||
                          OpaqueScheme(address.substr(0, length)));
}

// Whether a word may be an address as someone typed it: with a scheme, or a host name.
bool LooksLikeAddress(std::string_view word) {
    return HasScheme(word) ||
           (word.find('.') != std::string_view::npos && word.front() != '.' &&
            word.back() != '.') ||
           word.starts_with("localhost");
}

std::size_t LastBlank(std::string_view line) {
    for (std::size_t i = line.size(); i-- > 0;)
        if (IsBlank(line[i]))
            return i;
    return std::string_view::npos;
}

std::size_t FirstBlank(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (IsBlank(line[i]))
            return i;
    return std::string_view::npos;
}

BookmarkLink UrlLine(std::string_view line) {
    const std::size_t blank = FirstBlank(line);
    if (blank == std::string_view::npos)
        return {{}, std::string(line)};
    return {std::string(Trimmed(line.substr(blank))), std::string(line.substr(0, blank))};
}

// A quickmark without an address is kept with none, so that the writer counts it as skipped.
BookmarkLink QuickmarkLine(std::string_view line) {
    const std::size_t blank = LastBlank(line);
    if (blank == std::string_view::npos)
        return {std::string(line), {}};
    const std::string_view address = line.substr(blank + 1);
    return {std::string(Trimmed(line.substr(0, blank))),
            (HasScheme(address) ? "" : "http://") + std::string(address)};
}

bool IsUrlLine(std::string_view line) {
    return HasScheme(line.substr(0, FirstBlank(line)));
}

bool IsQuickmarkLine(std::string_view line) {
    const std::size_t blank = LastBlank(line);
    return blank != std::string_view::npos && LooksLikeAddress(line.substr(blank + 1));
}

bool IsText(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    (void)QString(
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
    return !decoder.hasError();
}

bool AllLines(std::string_view bytes, bool (*test)(std::string_view)) {
    const std::vector<std::string_view> lines = Lines(bytes);
    return !lines.empty() && std::ranges::all_of(lines, test);
}

BookmarkFolder Links(std::string_view bytes, BookmarkLink (*read)(std::string_view)) {
    BookmarkFolder folder;
    for (std::string_view line : Lines(bytes))
        folder.links.push_back(read(line));
    return folder;
}

} // namespace

bool QutebrowserReader::Recognises(std::string_view bytes) {
    return IsText(bytes) && (AllLines(bytes, IsUrlLine) || AllLines(bytes, IsQuickmarkLine));
}

bool QutebrowserReader::HoldsBookmarks(const std::string& folder) {
    return RegularFileExists(folder + UrlsFile) || RegularFileExists(folder + QuickmarksFile);
}

ResultOf<BookmarkFolder> QutebrowserReader::Read(std::string_view bytes, const std::string& path) {
    if (IsText(bytes) && AllLines(bytes, IsUrlLine))
        return Links(bytes, UrlLine);
    if (IsText(bytes) && AllLines(bytes, IsQuickmarkLine))
        return Links(bytes, QuickmarkLine);
    return Failure{ImportTexts::NotBookmarks(path), path, ""};
}

ResultOf<BookmarkFolder> QutebrowserReader::ReadFolder(const std::string& folder) {
    struct File {
        const char* name;
        const char* title;
        BookmarkLink (*read)(std::string_view);
    };
    const File files[] = {
        {UrlsFile, QT_TRANSLATE_NOOP("ImportTexts", "书签"), UrlLine},
        {QuickmarksFile, QT_TRANSLATE_NOOP("ImportTexts", "快速标记"), QuickmarkLine},
    };
    BookmarkFolder tree;
    for (const File& file : files) {
        const std::string path = folder + file.name;
        if (!RegularFileExists(path))
            continue;
        const ResultOf<std::string> bytes = WholeFile::Read(path);
        if (!bytes)
            return bytes.failure();
        if (!IsText(*bytes))
            return Failure{ImportTexts::NotBookmarks(path), path, ""};
        BookmarkFolder links = Links(*bytes, file.read);
        links.title = ImportTexts::tr(file.title).toStdString();
        if (!links.links.empty())
            tree.folders.push_back(std::move(links));
    }
    return tree;
}
