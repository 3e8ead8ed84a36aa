// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirefoxReader.h"

#include "ImportTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <initializer_list>
#include <memory>
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

std::string Column(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text != nullptr ? text : "";
}

// Copies a file of the profile byte for byte; a missing optional file is no error.
bool CopyFile(const std::string& from, const std::string& to, bool optional, int& error) {
    QFile source(QString::fromStdString(from));
    if (!source.exists())
        return optional || (error = ENOENT, false);
    QFile copy(QString::fromStdString(to));
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)) {
        error = source.isOpen() ? EIO : EACCES;
        return false;
    }
    while (!source.atEnd()) {
        const QByteArray block = source.read(1 << 20);
        if (block.isEmpty() || copy.write(block) != block.size()) {
            error = EIO;
            return false;
        }
    }
    return true;
}

// Runs a query and hands each row of its result to use; false with the cause when the database
// cannot be read.
bool EachRow(sqlite3* database, const std::string& query,
             const std::function<void(sqlite3_stmt*)>& use, std::string& cause) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(database, query.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        cause = sqlite3_errmsg(database);
        return false;
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW)
        use(raw);
    if (step != SQLITE_DONE) {
        cause = sqlite3_errmsg(database);
        return false;
    }
    return true;
}

// The names of a table's columns, none when there is no such table.
bool Columns(sqlite3* database, const std::string& table, std::unordered_set<std::string>& names,
             std::string& cause) {
    return EachRow(
        database, "PRAGMA table_info(" + table + ")",
        [&](sqlite3_stmt* row) { names.insert(Column(row, 1)); }, cause);
}

bool HasAll(const std::unordered_set<std::string>& names,
            std::initializer_list<const char*> wanted) {
    return std::ranges::all_of(wanted, [&](const char* name) { return names.contains(name); });
}

// Everything the tree needs from the database: each folder's children in their order, and
// where the roots are. Every version since Firefox 3 keeps the same tables; later ones added a
// guid column, which names the roots, and dropped the table of roots.
class Places {
public:
    Loaded Load(sqlite3* database, std::string& cause) {
        std::unordered_set<std::string> bookmarks;
        std::unordered_set<std::string> places;
        std::unordered_set<std::string> roots;
        if (!Columns(database, "moz_bookmarks", bookmarks, cause) ||
            !Columns(database, "moz_places", places, cause) ||
            !Columns(database, "moz_bookmarks_roots", roots, cause))
            return Loaded::Failed;
        if (bookmarks.empty())
            return Loaded::NoBookmarks;
        if (!HasAll(bookmarks, {"id", "type", "fk", "parent", "position", "title"}) ||
            !HasAll(places, {"id", "url", "title"}))
            return Loaded::OtherVersion;
        if (!LoadRows(database, bookmarks.contains("guid"), cause) ||
            (HasAll(roots, {"root_name", "folder_id"}) && !LoadRootTable(database, cause)))
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
    bool LoadRows(sqlite3* database, bool guids, std::string& cause) {
        const std::unordered_set<long long> livemarks = Livemarks(database);
        const auto use = [&](sqlite3_stmt* row) {
            const long long id = sqlite3_column_int64(row, 0);
            const int type = sqlite3_column_int(row, 1);
            if ((type != TypeBookmark && type != TypeFolder) || livemarks.contains(id))
                return;
            children_[sqlite3_column_int64(row, 2)].push_back(
                {id, type, Column(row, 3), Column(row, 4)});
            const std::string guid = Column(row, 5);
            if (std::ranges::any_of(Roots, [&](const Root& root) { return guid == root.guid; }))
                roots_[guid] = id;
        };
        return EachRow(database,
                       "SELECT b.id, b.type, b.parent, COALESCE(b.title, p.title, ''), "
                       "COALESCE(p.url, ''), " +
                           std::string(guids ? "b.guid" : "''") +
                           " FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                           "ORDER BY b.parent, b.position, b.id",
                       use, cause);
    }

    // In older versions the roots' guids were random, and only this table named the roots.
    bool LoadRootTable(sqlite3* database, std::string& cause) {
        const auto use = [&](sqlite3_stmt* row) {
            const std::string name = Column(row, 0);
            for (const Root& root : Roots)
                if (name == root.name)
                    roots_[root.guid] = sqlite3_column_int64(row, 1);
        };
        return EachRow(database, "SELECT root_name, folder_id FROM moz_bookmarks_roots", use,
                       cause);
    }

    // Live bookmarks, in databases old enough to have them, are folders marked with a feed.
    static std::unordered_set<long long> Livemarks(sqlite3* database) {
        std::unordered_set<long long> ids;
        std::string ignored;
        EachRow(
            database,
            "SELECT a.item_id FROM moz_items_annos a JOIN moz_anno_attributes n "
            "ON n.id = a.anno_attribute_id WHERE n.name = 'livemark/feedURI'",
            [&](sqlite3_stmt* row) { ids.insert(sqlite3_column_int64(row, 0)); }, ignored);
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

ResultOf<BookmarkFolder> FirefoxReader::Read(const std::string& path) {
    const QTemporaryDir folder(QDir::tempPath() + "/linkshelf-places-XXXXXX");
    const std::string copy = folder.path().toStdString() + "/places.sqlite";
    int cause = 0;
    if (!folder.isValid()) {
        return Failure{ImportTexts::CannotCopy(path, EACCES), path, ""};
    }
    if (!CopyFile(path, copy, false, cause) ||
        !CopyFile(path + "-wal", copy + "-wal", true, cause)) {
        return Failure{cause == ENOENT ? ImportTexts::CannotRead(path, cause)
                                       : ImportTexts::CannotCopy(path, cause),
                       path, ""};
    }
    return ReadCopy(copy, path);
}

ResultOf<BookmarkFolder> FirefoxReader::ReadCopy(const std::string& copy, const std::string& path) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(copy.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> database(raw, sqlite3_close);
    Places places;
    std::string cause;
    if (opened != SQLITE_OK) {
        return Failure{ImportTexts::Damaged(path, sqlite3_errstr(opened)), path, ""};
    }
    switch (places.Load(raw, cause)) {
    case Loaded::Read:
        break;
    case Loaded::NoBookmarks:
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    case Loaded::OtherVersion:
        return Failure{ImportTexts::VersionNotSupported(path), path, ""};
    case Loaded::Failed:
        return Failure{ImportTexts::Damaged(path, cause), path, ""};
    }
    BookmarkFolder tree;
    for (const Root& root : Roots) {
        const std::optional<long long> id = places.IdOf(root);
        if (!id)
            continue;
        BookmarkFolder folder{ImportTexts::tr(root.title).toStdString(), {}, {}};
        if (!places.Fill(*id, folder, 1)) {
            return Failure{ImportTexts::TooDeep(path), path, ""};
        }
        if (!folder.links.empty() || !folder.folders.empty())
            tree.folders.push_back(std::move(folder));
    }
    return tree;
}
