// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutName.h"

#include "import/ImportTexts.h"

#include <QString>

namespace {

constexpr std::string_view Extension = ".url";
constexpr const char* UntitledFolder = QT_TRANSLATE_NOOP("ImportTexts", "未命名文件夹");
constexpr const char* UntitledLink = QT_TRANSLATE_NOOP("ImportTexts", "未命名链接");

// Titles come from files anyone may have written: bytes that are no UTF-8 become U+FFFD, and
// '/', NUL and other control characters (which would split or hide a name) become blanks or
// '_'. Outer blanks go, as a browser never shows them.
std::string CleanTitle(std::string_view title) {
    std::string text = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()))
                           .toUtf8()
                           .toStdString();
    for (char& c : text) {
        if (c == '/')
            c = '_';
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool Usable(const std::string& name) {
    return !name.empty() && name != "." && name != "..";
}

// The longest start of text that fits in room bytes without splitting a UTF-8 character.
std::string_view CutToFit(std::string_view text, std::size_t room) {
    if (text.size() <= room)
        return text;
    std::size_t end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string Compose(const std::string& base, int number, std::string_view extension) {
    const std::string suffix = number > 1 ? " (" + std::to_string(number) + ")" : "";
    const std::size_t room = ShortcutName::MaxBytes - suffix.size() - extension.size();
    return std::string(CutToFit(base, room)) + suffix + std::string(extension);
}

} // namespace

std::string ShortcutName::Host(std::string_view url) {
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos)
        return {};
    std::string_view rest = url.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos)
        rest.remove_prefix(at + 1);
    if (rest.starts_with('[')) // an IPv6 address keeps its colons
        return std::string(rest.substr(0, rest.find(']') + 1));
    return std::string(rest.substr(0, rest.find(':')));
}

std::string ShortcutName::ForLink(std::string_view title, std::string_view url, int number) {
    std::string base = CleanTitle(title);
    if (!Usable(base))
        base = CleanTitle(Host(url));
    if (!Usable(base))
        base = ImportTexts::tr(UntitledLink).toStdString();
    return Compose(base, number, Extension);
}

std::string ShortcutName::ForFolder(std::string_view title, int number) {
    std::string base = CleanTitle(title);
    if (!Usable(base))
        base = ImportTexts::tr(UntitledFolder).toStdString();
    return Compose(base, number, {});
}
