// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <string>
#include <unordered_set>

struct sqlite3;
struct sqlite3_stmt;

// A browser's SQLite database, read from a private copy: the browser keeps its databases open
// and locked while it runs, so the file and its write-ahead log (which may hold more than the
// file) are copied into a folder of our own first; the profile's files are only ever read.
class SqliteCopy {
public:
    SqliteCopy();
    ~SqliteCopy();
    SqliteCopy(const SqliteCopy&) = delete;
    SqliteCopy& operator=(const SqliteCopy&) = delete;

    // Copies and opens the database at path; 0, or the errno value of the copy (ENOENT when
    // there is no such file), or -1 when the copy does not open as a database.
    int Open(const std::string& path);
    sqlite3* Database() const { return database_; }
    // The database's own words for its last failure.
    std::string Cause() const;

    // Runs a query and hands each row of its result to use; false when the database cannot be
    // read (Cause() says why).
    bool EachRow(const std::string& query, const std::function<void(sqlite3_stmt*)>& use) const;
    // The names of a table's columns, none when there is no such table.
    bool Columns(const std::string& table, std::unordered_set<std::string>& names) const;

    static std::string Text(sqlite3_stmt* row, int column);
    static std::string Blob(sqlite3_stmt* row, int column);
    static bool HasAll(const std::unordered_set<std::string>& names,
                       std::initializer_list<const char*> wanted);

private:
    QTemporaryDir folder_;
    sqlite3* database_ = nullptr;
};
