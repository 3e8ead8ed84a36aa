// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteCopy.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <sqlite3.h>

namespace {

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

} // namespace

SqliteCopy::SqliteCopy() : folder_(QDir::tempPath() + "/linkshelf-places-XXXXXX") {}

SqliteCopy::~SqliteCopy() {
    sqlite3_close(database_);
}

int SqliteCopy::Open(const std::string& path) {
    if (!folder_.isValid())
        return EACCES;
    const std::string copy = folder_.path().toStdString() + "/copy.sqlite";
    int error = 0;
    if (!CopyFile(path, copy, false, error) || !CopyFile(path + "-wal", copy + "-wal", true, error))
        return error;
    return sqlite3_open_v2(copy.c_str(), &database_, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
               ? 0
               : -1;
}

std::string SqliteCopy::Cause() const {
    return database_ != nullptr ? sqlite3_errmsg(database_) : sqlite3_errstr(SQLITE_CANTOPEN);
}

bool SqliteCopy::EachRow(const std::string& query,
                         const std::function<void(sqlite3_stmt*)>& use) const {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(database_, query.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return false;
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW)
        use(raw);
    return step == SQLITE_DONE;
}

bool SqliteCopy::Columns(const std::string& table, std::unordered_set<std::string>& names) const {
    return EachRow("PRAGMA table_info(" + table + ")",
                   [&](sqlite3_stmt* row) { names.insert(Text(row, 1)); });
}

std::string SqliteCopy::Text(sqlite3_stmt* row, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    return text != nullptr ? text : "";
}

std::string SqliteCopy::Blob(sqlite3_stmt* row, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(row, column));
    const int size = sqlite3_column_bytes(row, column);
    return bytes != nullptr && size > 0 ? std::string(bytes, static_cast<std::size_t>(size)) : "";
}

bool SqliteCopy::HasAll(const std::unordered_set<std::string>& names,
                        std::initializer_list<const char*> wanted) {
    return std::ranges::all_of(wanted, [&](const char* name) { return names.contains(name); });
}
