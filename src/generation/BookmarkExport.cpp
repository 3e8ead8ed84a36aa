// SPDX-License-Identifier: GPL-3.0-or-later
#include "BookmarkExport.h"

#include "generation/BuildLinkList.h"
#include "generation/LinkIcons.h"
#include "platform/FilledText.h"
#include "text/Text.h"
#include "text/TextFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <array>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <map>
#include <new>
#include <sys/stat.h>
#include <tuple>

namespace {

constexpr std::size_t TextRoom = std::size_t{256} * 1024 * 1024;

// The image kinds a browser shows as a bookmark's icon, told by their first bytes.
struct ImageKind {
    std::string_view start;
    std::string_view type;
};
constexpr std::array<ImageKind, 7> ImageKinds = {{
    {"\x89PNG\r\n\x1a\n", "image/png"},
    {"GIF87a", "image/gif"},
    {"GIF89a", "image/gif"},
    {"\xFF\xD8\xFF", "image/jpeg"},
    {std::string_view("\0\0\1\0", 4), "image/x-icon"},
    {"BM", "image/bmp"},
    {"RIFF", "image/webp"},
}};

std::string_view ImageType(std::string_view bytes) {
    for (const ImageKind& kind : ImageKinds)
        if (bytes.starts_with(kind.start) &&
            (kind.start != "RIFF" || (bytes.size() >= 12 && bytes.substr(8, 4) == "WEBP")))
            return kind.type;
    return {};
}

// The length of the UTF-8 character at text[at], or 0 when the bytes there are none.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF)
        length = 2;
    else if (first >= 0xE0 && first <= 0xEF)
        length = 3;
    else if (first >= 0xF0 && first <= 0xF4)
        length = 4;
    else
        return 0;
    // Overlong forms, UTF-16 surrogates and code points above U+10FFFF are no characters.
    if (first == 0xE0)
        low = 0xA0;
    else if (first == 0xED)
        high = 0x9F;
    else if (first == 0xF0)
        low = 0x90;
    else if (first == 0xF4)
        high = 0x8F;
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = at + 2; i < at + length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    return length;
}

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// U+FFFE and U+FFFF are UTF-8 but no characters an XML file may hold.
bool IsNonCharacter(std::string_view text, std::size_t at, std::size_t length) {
    return length == 3 && text.substr(at, 2) == "\xEF\xBF" &&
           static_cast<unsigned char>(text[at + 2]) >= 0xBE;
}

// Whether text can go into the file as it is: UTF-8 throughout, without control characters.
bool IsPlainText(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t at = 0; at < text.size();) {
        // Most names and addresses are printable ASCII, and most others Chinese: three bytes
        // from E1 to EC, which no rule of the longer check below narrows.
        if (byte(at) >= 0x20 && byte(at) < 0x7F) {
            ++at;
            continue;
        }
        if (byte(at) >= 0xE1 && byte(at) <= 0xEC && at + 2 < text.size() &&
            (byte(at + 1) & 0xC0) == 0x80 && (byte(at + 2) & 0xC0) == 0x80) {
            at += 3;
            continue;
        }
        const std::size_t length = CharacterLength(text, at);
        if (length == 0 || IsControl(static_cast<unsigned char>(text[at])) ||
            IsNonCharacter(text, at, length))
            return false;
        at += length;
    }
    return true;
}

// Appends a name as a bookmark's title: text on one line. Bytes that are no UTF-8 become U+FFFD
// as the import reads such names, so a name reaches a browser and comes back in as the same
// title.
void AppendTitle(std::string& text, std::string_view name) {
    if (IsPlainText(name)) {
        AppendEscaped(text, name);
        return;
    }
    QString title = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (QChar& c : title) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
        else if (c.unicode() >= 0xFFFE)
            c = QChar::ReplacementCharacter;
    }
    AppendEscaped(text, title.toUtf8().toStdString());
}

// Appends an address as a browser sends it: control characters and bytes that are no UTF-8
// percent-encoded, everything else as it is.
void AppendAddress(std::string& html, std::string_view address) {
    if (IsPlainText(address)) {
        AppendEscaped(html, address);
        return;
    }
    std::string text;
    for (std::size_t at = 0; at < address.size();) {
        const std::size_t length = CharacterLength(address, at);
        const auto first = static_cast<unsigned char>(address[at]);
        if (length == 0 || IsControl(first) || IsNonCharacter(address, at, length)) {
            const std::size_t encoded = length == 0 ? 1 : length;
            for (std::size_t i = at; i < at + encoded; ++i) {
                const auto c = static_cast<unsigned char>(address[i]);
                text += '%';
                text += "0123456789ABCDEF"[c >> 4];
                text += "0123456789ABCDEF"[c & 15];
            }
            at += encoded;
            continue;
        }
        text.append(address.substr(at, length));
        at += length;
    }
    AppendEscaped(html, text);
}

constexpr std::int64_t SecondsADay = 86400;

// The UTC date of a moment, as YYYY-MM-DD.
std::string IsoDate(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    std::array<char, 32> text{};
    gmtime_r(&time, &parts);
    return {text.data(), std::strftime(text.data(), text.size(), "%Y-%m-%d", &parts)};
}

// Writes what the walk meets, line by line, as it meets it.
class ExportWriter : public LinkTreeVisitor {
public:
    ExportWriter(BookmarkExport::Format format, std::string& text, BookmarkExport::Counts& counts)
        : xbel_(format == BookmarkExport::Format::Xbel), text_(text), counts_(counts) {}

    void Begin() {
        if (xbel_) {
            text_.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange "
                         "Language 1.0//EN//XML\" "
                         "\"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n"
                         "<xbel version=\"1.0\">\n");
            return;
        }
        // Chromium's importer reads the file line by line and knows the tags by these
        // spellings only; the META line tells every reader the bytes are UTF-8.
        text_.append("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                     "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                     "<TITLE>Bookmarks</TITLE>\n"
                     "<H1>Bookmarks</H1>\n"
                     "<DL><p>\n");
    }

    void End() { text_.append(xbel_ ? "</xbel>\n" : "</DL><p>\n"); }

    void Link(const ScannedLink& link) override {
        ++counts_.links;
        const std::optional<std::int64_t>& added = link.modified;
        if (xbel_) {
            Indent();
            text_.append("<bookmark href=\"");
            AppendAddress(text_, link.address);
            text_.push_back('"');
            AppendAdded(added);
            text_.append(">\n");
            AppendXbelTitle(link.name, 1);
            Indent();
            text_.append("</bookmark>\n");
            return;
        }
        text_.append("<DT><A HREF=\"");
        AppendAddress(text_, link.address);
        text_.push_back('"');
        if (added)
            AppendSeconds(" ADD_DATE=\"", *added);
        if (const std::string& icon = IconOf(link); !icon.empty()) {
            text_.append(" ICON=\"").append(icon).push_back('"');
            ++counts_.icons;
        }
        text_.push_back('>');
        AppendTitle(text_, link.name);
        text_.append("</A>\n");
    }

    void FolderStart(std::string_view name, std::optional<std::int64_t> changed) override {
        ++counts_.folders;
        if (xbel_) {
            Indent();
            text_.append("<folder");
            AppendAdded(changed);
            text_.append(">\n");
            AppendXbelTitle(name, 1);
            ++depth_;
            return;
        }
        text_.append("<DT><H3");
        if (changed) {
            AppendSeconds(" ADD_DATE=\"", *changed);
            AppendSeconds(" LAST_MODIFIED=\"", *changed);
        }
        text_.push_back('>');
        AppendTitle(text_, name);
        text_.append("</H3>\n<DL><p>\n");
    }

    // Each link's ADD_DATE is its shortcut's time.
    bool WantsTimes() const override { return true; }

    void FolderEnd() override {
        if (!xbel_) {
            text_.append("</DL><p>\n");
            return;
        }
        --depth_;
        Indent();
        text_.append("</folder>\n");
    }

private:
    void Indent(int more = 0) { text_.append(2 * static_cast<std::size_t>(depth_ + more), ' '); }

    void AppendSeconds(std::string_view attribute, std::int64_t seconds) {
        std::array<char, 24> digits{};
        const auto end = std::to_chars(digits.begin(), digits.end(), seconds).ptr;
        text_.append(attribute).append(digits.data(), end).push_back('"');
    }

    void AppendAdded(const std::optional<std::int64_t>& seconds) {
        if (!seconds)
            return;
        // An ISO 8601 moment in UTC. The links of a tree were mostly written on a few days:
        // the date is looked up once a day, the time of day counted out.
        std::int64_t day = *seconds / SecondsADay;
        if (day * SecondsADay > *seconds)
            --day;
        if (day != lastDay_) {
            lastDay_ = day;
            lastDate_ = IsoDate(day * SecondsADay);
        }
        const std::int64_t time = *seconds - day * SecondsADay;
        const std::array<std::int64_t, 3> parts = {time / 3600, time / 60 % 60, time % 60};
        text_.append(" added=\"").append(lastDate_);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            text_.push_back(i == 0 ? 'T' : ':');
            text_.push_back(static_cast<char>('0' + parts[i] / 10));
            text_.push_back(static_cast<char>('0' + parts[i] % 10));
        }
        text_.append("Z\"");
    }

    void AppendXbelTitle(std::string_view name, int more) {
        Indent(more);
        text_.append("<title>");
        AppendTitle(text_, name);
        text_.append("</title>\n");
    }

    // Most links of an imported tree share a few icons: each file is read once.
    const std::string& IconOf(const ScannedLink& link) {
        static const std::string none;
        if (link.iconFile.empty())
            return none;
        const std::string path(link.iconFile);
        struct stat info {};
        if (fstatat(link.folderFd, path.c_str(), &info, 0) != 0)
            return none;
        const auto key = std::tuple(info.st_dev, info.st_ino, info.st_size, info.st_mtime);
        const auto [known, added] = icons_.try_emplace(key);
        if (added)
            known->second = DataUri(LinkIcons::ReadIconFile(link.folderFd, link.iconFile));
        return known->second;
    }

    // The icon as a data address; empty when its bytes are no image a browser shows.
    static std::string DataUri(const std::optional<std::string>& bytes) {
        const std::string_view type = bytes ? ImageType(*bytes) : std::string_view();
        if (type.empty())
            return {};
        const QByteArray base64 =
            QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()))
                .toBase64();
        return "data:" + std::string(type) + ";base64," + base64.toStdString();
    }

    const bool xbel_;
    std::string& text_;
    BookmarkExport::Counts& counts_;
    int depth_ = 1;
    std::optional<std::int64_t> lastDay_;
    std::string lastDate_;
    std::map<std::tuple<dev_t, ino_t, off_t, time_t>, std::string> icons_;
};

} // namespace

std::optional<BookmarkExport::Format> BookmarkExport::FormatOfFile(std::string_view path) {
    const std::string name(path.substr(path.rfind('/') + 1));
    const std::string extension =
        name.find('.') == std::string::npos ? "" : TextAfterLast(name, '.');
    if (SameTextNoCase(extension, "html") || SameTextNoCase(extension, "htm"))
        return Format::Netscape;
    if (SameTextNoCase(extension, "xbel"))
        return Format::Xbel;
    return std::nullopt;
}

std::optional<BookmarkExport::Format> BookmarkExport::FormatNamed(std::string_view name) {
    const std::string word(name);
    if (SameTextNoCase(word, "html"))
        return Format::Netscape;
    if (SameTextNoCase(word, "xbel"))
        return Format::Xbel;
    return std::nullopt;
}

std::string BookmarkExport::Text(const Settings& settings, Globals& globals, Format format,
                                 Counts& counts) {
    counts = {};
    std::string text;
    // As for the page's link list: room the file never fills costs no memory, and the text of
    // many links is never copied as it grows.
    try {
        text.reserve(TextRoom);
    } catch (const std::bad_alloc&) {
    }
    ExportWriter writer(format, text, counts);
    writer.Begin();
    WalkLinkTree(settings, globals, writer);
    writer.End();
    return text;
}

ResultOf<BookmarkExport::Counts> BookmarkExport::Write(const Settings& settings, Globals& globals,
                                                       const std::string& path, Format format) {
    Counts counts;
    const std::string text = Text(settings, globals, format, counts);
    if (counts.links == 0)
        return counts;
    if (const Result written = WriteTextFile(text, path); !written)
        return written.failure().Saying(FilledText(
            QCoreApplication::translate("BookmarkExport", "不能把书签导出到文件 \"%1\"。"), path));
    return counts;
}

std::string BookmarkExport::Summary(const std::string& path, const Counts& counts) {
    return FilledText(
        QCoreApplication::translate("BookmarkExport", "已把 %1、%2和 %3导出到 \"%4\"。"),
        QCoreApplication::translate("BookmarkExport", "%n 个链接", nullptr,
                                    PluralCount(counts.links)),
        QCoreApplication::translate("BookmarkExport", "%n 个文件夹", nullptr,
                                    PluralCount(counts.folders)),
        QCoreApplication::translate("BookmarkExport", "%n 个图标", nullptr,
                                    PluralCount(counts.icons)),
        path);
}

std::string BookmarkExport::NothingToExportText() {
    return FilledText(QCoreApplication::translate("BookmarkExport",
                                                  "快捷方式文件夹中没有链接，所以没有导出书签。"));
}
