// SPDX-License-Identifier: GPL-3.0-or-later
#include "FalkonReader.h"

#include "import/ImportTexts.h"
#include "import/JsonBookmarks.h"

#include <QJsonArray>

namespace {

// The roots in the order Falkon shows them, with the names it gives them when the file has none.
struct Root {
    const char* key;
    const char* title;
};
constexpr Root Roots[] = {{"bookmark_bar", QT_TRANSLATE_NOOP("ImportTexts", "书签工具栏")},
                          {"bookmark_menu", QT_TRANSLATE_NOOP("ImportTexts", "书签菜单")},
                          {"other", QT_TRANSLATE_NOOP("ImportTexts", "其他书签")}};

// False when folders nest deeper than a tree may.
bool ReadChildren(const QJsonObject& node, BookmarkFolder& folder, int depth) {
    if (depth > BookmarkFolder::MaxDepth)
        return false;
    for (const auto& value : node.value("children").toArray()) {
        const QJsonObject child = value.toObject();
        const QString type = child.value("type").toString();
        if (type == "url") {
            folder.links.push_back({JsonBookmarks::Text(child.value("name")),
                                    JsonBookmarks::Text(child.value("url"))});
        } else if (type == "folder") {
            folder.folders.push_back({JsonBookmarks::Text(child.value("name")), {}, {}});
            if (!ReadChildren(child, folder.folders.back(), depth + 1))
                return false;
        }
    }
    return true;
}

} // namespace

bool FalkonReader::Recognises(std::string_view bytes) {
    return JsonBookmarks::Peek(bytes).value("roots").toObject().contains("bookmark_menu");
}

ResultOf<BookmarkFolder> FalkonReader::Read(std::string_view bytes, const std::string& path) {
    const ResultOf<QJsonObject> document = JsonBookmarks::Parse(bytes, path);
    if (!document)
        return document.failure();
    const QJsonValue roots = document->value("roots");
    if (!roots.isObject())
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    BookmarkFolder tree;
    for (const Root& root : Roots) {
        const QJsonObject node = roots.toObject().value(root.key).toObject();
        const QString name = node.value("name").toString();
        BookmarkFolder folder{
            (name.isEmpty() ? ImportTexts::tr(root.title) : name).toStdString(), {}, {}};
        if (!ReadChildren(node, folder, 1))
            return Failure{ImportTexts::TooDeep(path), path, ""};
        if (!folder.links.empty() || !folder.folders.empty())
            tree.folders.push_back(std::move(folder));
    }
    return tree;
}
