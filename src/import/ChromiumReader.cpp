// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumReader.h"

#include "import/ImportTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The roots in the order the browser shows them, with the names it gives them when the file
// has none.
struct Root {
    const char* key;
    const char* title;
};
constexpr Root Roots[] = {{"bookmark_bar", QT_TRANSLATE_NOOP("ImportTexts", "书签栏")},
                          {"other", QT_TRANSLATE_NOOP("ImportTexts", "其他书签")},
                          {"synced", QT_TRANSLATE_NOOP("ImportTexts", "移动设备书签")}};

std::string Text(const QJsonValue& value) {
    return value.toString().toStdString();
}

// False when folders nest deeper than a tree may.
bool ReadChildren(const QJsonObject& node, BookmarkFolder& folder, int depth) {
    if (depth > BookmarkFolder::MaxDepth)
        return false;
    for (const auto& value : node.value("children").toArray()) {
        const QJsonObject child = value.toObject();
        const QString type = child.value("type").toString();
        if (type == "url") {
            folder.links.push_back({Text(child.value("name")), Text(child.value("url"))});
        } else if (type == "folder") {
            folder.folders.push_back({Text(child.value("name")), {}, {}});
            if (!ReadChildren(child, folder.folders.back(), depth + 1))
                return false;
        }
    }
    return true;
}

} // namespace

bool ChromiumReader::Recognises(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '{';
}

ResultOf<BookmarkFolder> ChromiumReader::ReadBytes(std::string_view bytes,
                                                   const std::string& path) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), &parseError);
    if (parseError.error == QJsonParseError::DeepNesting) {
        return Failure{ImportTexts::TooDeep(path), path, ""};
    }
    if (document.isNull()) {
        return Failure{ImportTexts::Damaged(path, parseError.errorString().toStdString()), path,
                       ""};
    }
    const QJsonValue roots = document.object().value("roots");
    if (!roots.isObject()) {
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    }
    BookmarkFolder tree;
    for (const Root& root : Roots) {
        const QJsonObject node = roots.toObject().value(root.key).toObject();
        if (node.value("children").toArray().isEmpty())
            continue;
        const QString name = node.value("name").toString();
        tree.folders.push_back(
            {(name.isEmpty() ? ImportTexts::tr(root.title) : name).toStdString(), {}, {}});
        if (!ReadChildren(node, tree.folders.back(), 1)) {
            return Failure{ImportTexts::TooDeep(path), path, ""};
        }
    }
    return tree;
}
