// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirefoxBackupReader.h"

#include "import/ImportTexts.h"
#include "import/JsonBookmarks.h"
#include "import/WholeFile.h"

#include <QJsonArray>
#include <lz4.h>

namespace {

constexpr std::string_view Magic("mozLz40\0", 8);
constexpr std::size_t HeaderSize = Magic.size() + 4;
// No LZ4 block expands to more than about 255 times its size.
constexpr std::size_t MaxRatio = 255;
constexpr std::size_t LastLiterals = 5;

struct Root {
    const char* name;
    const char* guid;
    const char* title;
};
constexpr Root Roots[] = {
    {"toolbarFolder", "toolbar_____", QT_TRANSLATE_NOOP("ImportTexts", "书签工具栏")},
    {"bookmarksMenuFolder", "menu________", QT_TRANSLATE_NOOP("ImportTexts", "书签菜单")},
    {"unfiledBookmarksFolder", "unfiled_____", QT_TRANSLATE_NOOP("ImportTexts", "其他书签")},
    {"mobileFolder", "mobile______", QT_TRANSLATE_NOOP("ImportTexts", "移动设备书签")}};

enum class Kind { Place, Container, Other };

// Newer backups give the kind as a number, older ones only as a type.
Kind KindOf(const QJsonObject& node) {
    const int code = node.value("typeCode").toInt();
    const QString type = node.value("type").toString();
    if (code == 1 || (code == 0 && type == "text/x-moz-place"))
        return Kind::Place;
    if (code == 2 || (code == 0 && type == "text/x-moz-place-container"))
        return Kind::Container;
    return Kind::Other;
}

// Live bookmarks, in backups old enough to have them, are containers marked with a feed.
bool IsLivemark(const QJsonObject& node) {
    for (const auto& anno : node.value("annos").toArray())
        if (anno.toObject().value("name").toString() == "livemark/feedURI")
            return true;
    return false;
}

// False when folders nest deeper than a tree may.
bool ReadChildren(const QJsonObject& node, BookmarkFolder& folder, int depth) {
    if (depth > BookmarkFolder::MaxDepth)
        return false;
    for (const auto& value : node.value("children").toArray()) {
        const QJsonObject child = value.toObject();
        const Kind kind = KindOf(child);
        if (kind == Kind::Place) {
            folder.links.push_back({JsonBookmarks::Text(child.value("title")),
                                    JsonBookmarks::Text(child.value("uri"))});
        } else if (kind == Kind::Container && !IsLivemark(child)) {
            folder.folders.push_back({JsonBookmarks::Text(child.value("title")), {}, {}});
            if (!ReadChildren(child, folder.folders.back(), depth + 1))
                return false;
        }
    }
    return true;
}

bool IsPlacesRoot(const QJsonObject& object) {
    return object.value("children").isArray() &&
           (object.value("root").toString() == "placesRoot" ||
            object.value("guid").toString() == "root________");
}

// Whether an LZ4 block stops before its last sequence is complete: walks the sequences (a
// token, the literals, then an offset and the match's length) without decoding them. A block
// ends with at least five literals; a shorter last run is where a cut fell.
bool BlockCutOff(std::string_view block) {
    std::size_t at = 0;
    const auto extraLength = [&](std::size_t& length) {
        for (unsigned char more = 255; more == 255; length += more) {
            if (at >= block.size())
                return false;
            more = static_cast<unsigned char>(block[at++]);
        }
        return true;
    };
    while (at < block.size()) {
        const auto token = static_cast<unsigned char>(block[at++]);
        std::size_t literals = token >> 4;
        if ((literals == 15 && !extraLength(literals)) || literals > block.size() - at)
            return true;
        at += literals;
        if (at == block.size())
            return literals < LastLiterals;
        if (block.size() - at < 2)
            return true;
        at += 2;
        std::size_t match = token & 15;
        if (match == 15 && !extraLength(match))
            return true;
    }
    return true;
}

} // namespace

bool FirefoxBackupReader::Recognises(std::string_view bytes) {
    return bytes.starts_with(Magic) || IsPlacesRoot(JsonBookmarks::Peek(bytes));
}

ResultOf<std::string> FirefoxBackupReader::Decompress(std::string_view bytes,
                                                      const std::string& path) {
    if (bytes.size() < HeaderSize)
        return Failure{ImportTexts::EndsTooEarly(path), path, ""};
    std::size_t size = 0;
    for (std::size_t i = 0; i < 4; ++i)
        size |= std::size_t{static_cast<unsigned char>(bytes[Magic.size() + i])} << (8 * i);
    const std::string_view block = bytes.substr(HeaderSize);
    // Too little data for the size given: the rest of the block is missing.
    if (size <= static_cast<std::size_t>(WholeFile::MaxBytes) && size > block.size() * MaxRatio)
        return Failure{ImportTexts::EndsTooEarly(path), path, ""};
    if (size > static_cast<std::size_t>(WholeFile::MaxBytes))
        return Failure{
            ImportTexts::Damaged(path, ImportTexts::tr("记录的大小与压缩的数据不符").toStdString()),
            path, ""};
    std::string json(size, '\0');
    // Both sizes are below the largest file read, which an int holds.
    const int decoded = LZ4_decompress_safe(block.data(), json.data(),
                                            static_cast<int>(block.size()), static_cast<int>(size));
    if ((decoded < 0 && BlockCutOff(block)) ||
        (decoded >= 0 && static_cast<std::size_t>(decoded) < size))
        return Failure{ImportTexts::EndsTooEarly(path), path, ""};
    if (decoded < 0)
        return Failure{ImportTexts::Damaged(path, ImportTexts::tr("压缩的数据无效").toStdString()),
                       path, ""};
    return json;
}

ResultOf<BookmarkFolder> FirefoxBackupReader::Read(std::string_view bytes,
                                                   const std::string& path) {
    ResultOf<std::string> decompressed = std::string();
    if (bytes.starts_with(Magic)) {
        decompressed = Decompress(bytes, path);
        if (!decompressed)
            return decompressed.failure();
        bytes = *decompressed;
    }
    const ResultOf<QJsonObject> document = JsonBookmarks::Parse(bytes, path);
    if (!document)
        return document.failure();
    if (!IsPlacesRoot(*document))
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    BookmarkFolder tree;
    for (const Root& root : Roots) {
        for (const auto& value : document->value("children").toArray()) {
            const QJsonObject node = value.toObject();
            if (node.value("root").toString() != root.name &&
                node.value("guid").toString() != root.guid)
                continue;
            BookmarkFolder folder{ImportTexts::tr(root.title).toStdString(), {}, {}};
            if (!ReadChildren(node, folder, 1))
                return Failure{ImportTexts::TooDeep(path), path, ""};
            if (!folder.links.empty() || !folder.folders.empty())
                tree.folders.push_back(std::move(folder));
            break;
        }
    }
    return tree;
}
