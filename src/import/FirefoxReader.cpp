// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirefoxReader.h"

#include "import/FirefoxIcons.h"
#include "import/ImportTexts.h"
#include "import/SiteIcons.h"
#include "import/SqliteCopy.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <sqlite3.h>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int TypeBookmark = 1;
constexpr int TypeFolder = 2;

// The roots, with the names Firefox shows for them: by their fixed identifiers, and by their
// names in the table of roots that older versions keep.
struct Root {
    const char* guid;
    const char* name;
    const char* title;
};
constexpr Root Roots[] = {
    {"toolbar_____", "toolbar", QT_TRANSLATE_NOOP("ImportTexts", "书签工具栏")},
    {"menu________", "menu", QT_TRANSLATE_NOOP("ImportTexts", "书签菜单")},
    {"unfiled_____", "unfiled", QT_TRANSLATE_NOOP("ImportTexts", "其他书签")},
    {"mobile______", "mobile", QT_TRANSLATE_NOOP("ImportTexts", "移动设备书签")}};

// How far a database could be read.
enum class Loaded { Read, NoBookmarks, OtherVersion, Failed };

struct Row {
    long long id;
    int type;
    std::string title;
    std::string url;
};

// Everything the tree needs from the database: each folder's children in their order, and
// where the roots are. Every version since Firefox 3 keeps the same tables; later ones added a
// guid column, which names the roots, and dropped the table of roots.
class Places {
public:
    Loaded Load(const SqliteCopy& database) {
        std::unordered_set<std::string> bookmarks;
        std::unordered_set<std::string> places;
        std::unordered_set<std::string> roots;
        if (!database.Columns("moz_bookmarks", bookmarks) ||
            !database.Columns("moz_places", places) ||
            !database.Columns("moz_bookmarks_roots", roots))
            return Loaded::Failed;
        if (bookmarks.empty())
            return Loaded::NoBookmarks;
        if (!SqliteCopy::HasAll(bookmarks, {"id", "type", "fk", "parent", "position", "title"}) ||
            !SqliteCopy::HasAll(places, {"id", "url", "title"}))
            return Loaded::OtherVersion;
        if (!LoadRows(database, bookmarks.contains("guid")) ||
            (SqliteCopy::HasAll(roots, {"root_name", "folder_id"}) && !LoadRootTable(database)))
            return Loaded::Failed;
        // Without a root, every bookmark is out of reach: an import of nothing would replace a
        // good one.
        return roots_.empty() ? Loaded::OtherVersion : Loaded::Read;
    }

    // False when folders nest deeper than a tree may (or loop, in a damaged database).
    bool Fill(long long folderId, BookmarkFolder& folder, int depth) const {
        if (depth > BookmarkFolder::MaxDepth)
            return false;
        const auto found = children_.find(folderId);
        if (found == children_.end())
            return true;
        for (const Row& row : found->second) {
            if (row.type == TypeBookmark) {
                folder.links.push_back({row.title, row.url});
                continue;
            }
            folder.folders.push_back({row.title, {}, {}});
            if (!Fill(row.id, folder.folders.back(), depth + 1))
                return false;
        }
        return true;
    }

    std::optional<long long> IdOf(const Root& root) const {
        const auto found = roots_.find(root.guid);
        return found == roots_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    bool LoadRows(const SqliteCopy& database, bool guids) {
        const std::unordered_set<long long> livemarks = Livemarks(database);
        const auto use = [&](sqlite3_stmt* row) {
            const long long id = sqlite3_column_int64(row, 0);
            const int type = sqlite3_column_int(row, 1);
            if ((type != TypeBookmark && type != TypeFolder) || livemarks.contains(id))
                return;
            children_[sqlite3_column_int64(row, 2)].push_back(
                {id, type, SqliteCopy::Text(row, 3), SqliteCopy::Text(row, 4)});
            const std::string guid = SqliteCopy::Text(row, 5);
            if (std::ranges::any_of(Roots, [&](const Root& root) { return guid == root.guid; }))
                roots_[guid] = id;
        };
        return database.EachRow("SELECT b.id, b.type, b.parent, COALESCE(b.title, p.title, ''), "
                                "COALESCE(p.url, ''), " +
                                    std::string(guids ? "b.guid" : "''") +
                                    " FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                                    "ORDER BY b.parent, b.position, b.id",
                                use);
    }

    // In older versions the roots' guids were random, and only this table named the roots.
    bool LoadRootTable(const SqliteCopy& database) {
        const auto use = [&](sqlite3_stmt* row) {
            const std::string name = SqliteCopy::Text(row, 0);
            for (const Root& root : Roots)
                if (name == root.name)
                    roots_[root.guid] = sqlite3_column_int64(row, 1);
        };
        return database.EachRow("SELECT root_name, folder_id FROM moz_bookmarks_roots", use);
    }

    // Live bookmarks, in databases old enough to have them, are folders marked with a feed.
    static std::unordered_set<long long> Livemarks(const SqliteCopy& database) {
        std::unordered_set<long long> ids;
        (void)database.EachRow(
            "SELECT a.item_id FROM moz_items_annos a JOIN moz_anno_attributes n "
            "ON n.id = a.anno_attribute_id WHERE n.name = 'livemark/feedURI'",
            [&](sqlite3_stmt* row) { ids.insert(sqlite3_column_int64(row, 0)); });
        return ids;
    }

    std::unordered_map<long long, std::vector<Row>> children_;
    // The roots' folders by their fixed identifiers.
    std::unordered_map<std::string, long long> roots_;
};

} // namespace

bool FirefoxReader::Recognises(std::string_view bytes) {
    return bytes.starts_with(std::string_view("SQLite format 3\0", 16));
}

ResultOf<BookmarkFolder> FirefoxReader::Read(const std::string& path, Result* icons) {
    SqliteCopy places;
    if (const int copied = places.Open(path); copied != 0)
        return Failure{copied == ENOENT ? ImportTexts::CannotRead(path, copied)
                       : copied > 0     ? ImportTexts::CannotCopy(path, copied)
                                        : ImportTexts::Damaged(path, places.Cause()),
                       path, ""};
    ResultOf<BookmarkFolder> tree = ReadPlaces(places, path);
    if (!tree || icons == nullptr)
        return tree;
    const ResultOf<SiteIcons> found = FirefoxIcons::Read(path, places);
    *icons = found.Outcome();
    if (found)
        found->Attach(*tree);
    return tree;
}

ResultOf<BookmarkFolder> FirefoxReader::ReadPlaces(const SqliteCopy& database,
                                                   const std::string& path) {
    Places places;
    switch (places.Load(database)) {
    case Loaded::Read:
        break;
    case Loaded::NoBookmarks:
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    case Loaded::OtherVersion:
        return Failure{ImportTexts::VersionNotSupported(path), path, ""};
    case Loaded::Failed:
        return Failure{ImportTexts::Damaged(path, database.Cause()), path, ""};
    }
    BookmarkFolder tree;
    for (const Root& root : Roots) {
        const std::optional<long long> id = places.IdOf(root);
        if (!id)
            continue;
        BookmarkFolder folder{ImportTexts::tr(root.title).toStdString(), {}, {}};
        if (!places.Fill(*id, folder, 1))
            return Failure{ImportTexts::TooDeep(path), path, ""};
        if (!folder.links.empty() || !folder.folders.empty())
            tree.folders.push_back(std::move(folder));
    }
    return tree;
}
