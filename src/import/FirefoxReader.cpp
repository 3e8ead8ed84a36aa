#include "FirefoxReader.h"

#include "ImportTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>
#include <sqlite3.h>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int TypeBookmark = 1;
constexpr int TypeFolder = 2;

// The roots by their fixed identifiers, with the names Firefox shows for them.
struct Root {
    const char* guid;
    const char* title;
};
constexpr Root Roots[] = {{"toolbar_____", "书签工具栏"},
                          {"menu________", "书签菜单"},
                          {"unfiled_____", "其他书签"},
                          {"mobile______", "移动设备书签"}};

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

// Everything the tree needs from the database: each folder's children in their order.
class Places {
public:
    bool Load(sqlite3* database, std::string& cause) {
        const char* query =
            "SELECT b.id, b.type, b.parent, COALESCE(b.title, p.title, ''), COALESCE(p.url, ''), "
            "b.guid FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
            "ORDER BY b.parent, b.position, b.id";
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(database, query, -1, &raw, nullptr) != SQLITE_OK) {
            cause = sqlite3_errmsg(database);
            return false;
        }
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw,
                                                                              sqlite3_finalize);
        const std::unordered_set<long long> livemarks = Livemarks(database);
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
            const long long id = sqlite3_column_int64(raw, 0);
            const int type = sqlite3_column_int(raw, 1);
            if ((type != TypeBookmark && type != TypeFolder) || livemarks.contains(id))
                continue;
            children_[sqlite3_column_int64(raw, 2)].push_back(
                {id, type, Column(raw, 3), Column(raw, 4)});
            guids_[Column(raw, 5)] = id;
        }
        if (step != SQLITE_DONE) {
            cause = sqlite3_errmsg(database);
            return false;
        }
        return true;
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

    std::optional<long long> IdOf(const std::string& guid) const {
        const auto found = guids_.find(guid);
        return found == guids_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    // Live bookmarks, in databases old enough to have them, are folders marked with a feed.
    static std::unordered_set<long long> Livemarks(sqlite3* database) {
        std::unordered_set<long long> ids;
        sqlite3_stmt* raw = nullptr;
        const char* query = "SELECT a.item_id FROM moz_items_annos a JOIN moz_anno_attributes n "
                            "ON n.id = a.anno_attribute_id WHERE n.name = 'livemark/feedURI'";
        if (sqlite3_prepare_v2(database, query, -1, &raw, nullptr) != SQLITE_OK) {
            sqlite3_finalize(raw);
            return ids;
        }
        while (sqlite3_step(raw) == SQLITE_ROW)
            ids.insert(sqlite3_column_int64(raw, 0));
        sqlite3_finalize(raw);
        return ids;
    }

    std::unordered_map<long long, std::vector<Row>> children_;
    std::unordered_map<std::string, long long> guids_;
};

} // namespace

bool FirefoxReader::Recognises(std::string_view bytes) {
    return bytes.starts_with(std::string_view("SQLite format 3\0", 16));
}

BookmarkFolder FirefoxReader::Read(const std::string& path) {
    error_.clear();
    const QTemporaryDir folder(QDir::tempPath() + "/linkshelf-places-XXXXXX");
    const std::string copy = folder.path().toStdString() + "/places.sqlite";
    int cause = 0;
    if (!folder.isValid()) {
        error_ = ImportTexts::CannotCopy(path, EACCES);
        return {};
    }
    if (!CopyFile(path, copy, false, cause) ||
        !CopyFile(path + "-wal", copy + "-wal", true, cause)) {
        error_ = cause == ENOENT ? ImportTexts::CannotRead(path, cause)
                                 : ImportTexts::CannotCopy(path, cause);
        return {};
    }
    return ReadCopy(copy, path);
}

BookmarkFolder FirefoxReader::ReadCopy(const std::string& copy, const std::string& path) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(copy.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> database(raw, sqlite3_close);
    Places places;
    std::string cause;
    if (opened != SQLITE_OK) {
        error_ = ImportTexts::Damaged(path, sqlite3_errstr(opened));
        return {};
    }
    if (!places.Load(raw, cause)) {
        error_ = cause.find("no such table") != std::string::npos
                     ? ImportTexts::NotBookmarks(path)
                     : ImportTexts::Damaged(path, cause);
        return {};
    }
    BookmarkFolder tree;
    for (const Root& root : Roots) {
        const std::optional<long long> id = places.IdOf(root.guid);
        if (!id)
            continue;
        BookmarkFolder folder{root.title, {}, {}};
        if (!places.Fill(*id, folder, 1)) {
            error_ = ImportTexts::TooDeep(path);
            return {};
        }
        if (!folder.links.empty() || !folder.folders.empty())
            tree.folders.push_back(std::move(folder));
    }
    return tree;
}
