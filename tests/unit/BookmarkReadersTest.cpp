// SPDX-License-Identifier: GPL-3.0-or-later
#include "BookmarkTreeText.h"
#include "TempTree.h"
#include "import/BookmarkImport.h"
#include "import/ExportFileReader.h"
#include "import/ImportTexts.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const std::string Fixtures = LINKSHELF_TEST_DATA "/import/";

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A places.sqlite with the tables and columns the browser has, holding the roots, a tag, a
// separator, a query, a live bookmark and a link without a title of its own.
constexpr const char* PlacesSql = R"(
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,
  typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL,
  last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,
  url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT, preview_image_url TEXT,
  origin_id INTEGER);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,
  dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0,
  syncChangeCounter INTEGER NOT NULL DEFAULT 1);
CREATE TABLE moz_anno_attributes (id INTEGER PRIMARY KEY, name VARCHAR(32) UNIQUE NOT NULL);
CREATE TABLE moz_items_annos (id INTEGER PRIMARY KEY, item_id INTEGER NOT NULL,
  anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0,
  expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0,
  lastModified INTEGER DEFAULT 0);
INSERT INTO moz_places (id, url, title) VALUES
  (1, 'https://www.mozilla.org/', 'Mozilla'), (2, 'https://example.com/x?a=1&b=2', 'Example X'),
  (3, 'place:sort=8&maxResults=10', NULL), (4, 'javascript:void(0)', NULL),
  (5, 'https://feed.example/', NULL);
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES
  (1, 2, NULL, 0, 0, '', 'root________'), (2, 2, NULL, 1, 0, 'menu', 'menu________'),
  (3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 'tags________'),
  (5, 2, NULL, 1, 3, 'unfiled', 'unfiled_____'), (6, 2, NULL, 1, 4, 'mobile', 'mobile______'),
  (10, 1, 1, 2, 0, 'Mozilla 菜单', 'a'), (11, 3, NULL, 2, 1, NULL, 'b'),
  (12, 2, NULL, 3, 0, '开发', 'c'), (13, 1, 2, 12, 0, NULL, 'd'),
  (14, 1, 3, 3, 1, 'Recent', 'e'), (15, 1, 4, 5, 0, 'JS', 'f'),
  (16, 2, NULL, 3, 2, 'Live', 'g'), (17, 1, 5, 16, 0, 'Feed item', 'h'),
  (18, 2, NULL, 4, 0, 'tag1', 'i'), (19, 1, 1, 18, 0, NULL, 'j');
INSERT INTO moz_anno_attributes VALUES (1, 'livemark/feedURI');
INSERT INTO moz_items_annos (item_id, anno_attribute_id, content) VALUES (16, 1, 'https://feed.example/rss');
)";

const std::string PlacesTree = "书签工具栏/\n"
                               "书签工具栏/Recent = place:sort=8&maxResults=10\n"
                               "书签工具栏/开发/\n"
                               "书签工具栏/开发/Example X = https://example.com/x?a=1&b=2\n"
                               "书签菜单/\n"
                               "书签菜单/Mozilla 菜单 = https://www.mozilla.org/\n"
                               "其他书签/\n"
                               "其他书签/JS = javascript:void(0)\n";

// Opens a database as the browser keeps it while it runs: write-ahead log, locked for itself,
// the latest changes only in the log.
sqlite3* HoldPlaces(const std::string& path, const char* sql) {
    sqlite3* database = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(database,
                           "PRAGMA locking_mode = EXCLUSIVE; PRAGMA journal_mode = WAL; "
                           "PRAGMA wal_autocheckpoint = 0;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    return database;
}

TEST(BookmarkReaders, ReadEachKindFromItsContent) {
    TempTree tree;
    // The names say nothing about the kind: the content does.
    const std::string exportFile = ReadFile(Fixtures + "bookmarks.html");
    tree.Write("export.dat", exportFile);
    // As Edge saves it, without the first line.
    tree.Write("headless.dat", exportFile.substr(exportFile.find('\n') + 1));
    tree.Write("chromium.dat", ReadFile(Fixtures + "Bookmarks"));
    sqlite3_close(HoldPlaces(tree.Path("places.dat"), PlacesSql));
    struct Case {
        const char* name;
        std::string file;
        std::string expected;
    };
    const std::string exportTree = " = https://example.net/empty\n"
                                   "Empty/\n"
                                   "Mozilla & Friends = https://www.mozilla.org/zh-CN/\n"
                                   "Recent = place:sort=8&maxResults=10\n"
                                   "书签工具栏/\n"
                                   "书签工具栏/../../x = https://example.com/b\n"
                                   "书签工具栏/Bookmarklet = javascript:alert(1)\n"
                                   "书签工具栏/Data = data:text/html,hi\n"
                                   "书签工具栏/It's \"quoted\" = https://example.com/a?x=1&y=2\n"
                                   "书签工具栏/嵌套/\n"
                                   "书签工具栏/嵌套/同名 = https://example.org/same\n"
                                   "书签工具栏/嵌套/同名 = https://example.org/same2\n"
                                   "书签工具栏/嵌套/文件 = ftp://ftp.example.org/pub/\n";
    const Case cases[] = {
        {"export file", "export.dat", exportTree},
        {"export file without its first line", "headless.dat", exportTree},
        {"Chromium Bookmarks", "chromium.dat",
         "Bookmarks bar/\n"
         "Bookmarks bar/Chromium & 书签 = https://www.chromium.org/?a=1&b=%E4%B8%AD\n"
         "Bookmarks bar/工作/\n"
         "Bookmarks bar/工作/ = https://example.com:8443/path\n"
         "Bookmarks bar/工作/Script = javascript:void(0)\n"
         "Bookmarks bar/工作/bad/name" +
             std::string(1, '\0') +
             "here = mailto:someone@example.com\n"
             "其他书签/\n"
             "其他书签/File = file:///home/user/notes.txt\n"},
        {"Firefox places", "places.dat", PlacesTree},
    };
    for (const Case& test : cases) {
        const ResultOf<BookmarkFolder> read = BookmarkImport::Read(tree.Path(test.file));
        EXPECT_EQ(ErrorOf(read), "") << test.name;
        EXPECT_EQ(Describe(read), test.expected) << test.name;
    }
}

TEST(BookmarkReaders, ReadFirefoxWhileItHoldsTheDatabaseAndLeaveItAlone) {
    TempTree tree;
    const std::string path = tree.Path("places.sqlite");
    sqlite3* browser = HoldPlaces(path, PlacesSql);
    const std::string database = ReadFile(path);
    const std::string log = ReadFile(path + "-wal");
    ASSERT_FALSE(log.empty());

    const ResultOf<BookmarkFolder> read = BookmarkImport::Read(path);
    EXPECT_EQ(ErrorOf(read), "");
    EXPECT_EQ(Describe(read), PlacesTree);
    EXPECT_EQ(ReadFile(path), database);
    EXPECT_EQ(ReadFile(path + "-wal"), log);
    sqlite3_close(browser);
}

TEST(BookmarkReaders, NameTheCauseOfBadInput) {
    TempTree tree;
    const std::string deepExport =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>" + Repeat("<DT><H3>x</H3>\n<DL><p>", 100000);
    const std::string deepMarkup = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n" +
                                   Repeat("<div><b>", 100000) +
                                   "<DL><DT><A HREF=\"http://a/\">a</A>";
    // Comments may also end in "--!>": the elements after them count.
    const std::string deepAfterComments =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n" + Repeat("<!-- a --!><span>", 100000);
    struct Case {
        const char* name;
        std::string bytes;
        std::string (*expected)(const std::string& path);
        // When set, the file is a database made with this.
        const char* sql = nullptr;
    };
    const Case cases[] = {
        {"empty file", "", ImportTexts::NotBookmarks},
        {"plain text", "Just some text\n", ImportTexts::NotBookmarks},
        {"other web page", "<!DOCTYPE html><a href=\"http://a/\">a</a>", ImportTexts::NotBookmarks},
        {"JSON of something else", "{\"a\": [1, 2]}", ImportTexts::NotBookmarks},
        {"definition list of a web page", "<dl><dt>Term<dd>Meaning<dt><b><a href=x>y</a></b></dl>",
         ImportTexts::NotBookmarks},
        {"export file without a list", "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>B</TITLE>",
         ImportTexts::EndsTooEarly},
        {"SQLite of something else", "", ImportTexts::NotBookmarks,
         "CREATE TABLE t (x); INSERT INTO t VALUES (1);"},
        {"bookmarks of an unknown version", "", ImportTexts::VersionNotSupported,
         "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, item TEXT);"},
        {"bookmarks without roots", "", ImportTexts::VersionNotSupported,
         "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT);"
         "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER,"
         "  parent INTEGER, position INTEGER, title TEXT, guid TEXT);"
         "INSERT INTO moz_places VALUES (1, 'https://a.example/', 'A');"
         "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'Xy3kPq0aBc1d'),"
         "  (2, 1, 1, 1, 0, 'A', 'Zz3kPq0aBc1d');"},
        {"deep folders in an export file", deepExport, ImportTexts::TooDeep},
        {"deep markup in an export file", deepMarkup, ImportTexts::TooDeep},
        {"deep markup after comments", deepAfterComments, ImportTexts::TooDeep},
        {"deep JSON", Repeat("{\"roots\":", 5000), ImportTexts::TooDeep},
        {"deep folders in JSON",
         R"({"roots":{"other":)" + Repeat(R"({"type":"folder","children":[)", 500) +
             Repeat("]}", 500) + "}}",
         ImportTexts::TooDeep},
    };
    for (const Case& test : cases) {
        const std::string path = tree.Path(test.name);
        tree.Write(test.name, test.bytes);
        if (test.sql != nullptr)
            sqlite3_close(HoldPlaces(path, test.sql));
        const ResultOf<BookmarkFolder> read = BookmarkImport::Read(path);
        EXPECT_EQ(ErrorOf(read), test.expected(path)) << test.name;
        EXPECT_EQ(Describe(read), "") << test.name;
    }
}

TEST(BookmarkReaders, NameTheCauseOfDamagedOrMissingFiles) {
    TempTree tree;
    tree.Write("truncated.json", ReadFile(Fixtures + "Bookmarks").substr(0, 300));
    const std::string truncated = ErrorOf(BookmarkImport::Read(tree.Path("truncated.json")));
    EXPECT_TRUE(truncated.starts_with(ImportTexts::Damaged(tree.Path("truncated.json"), "")))
        << truncated;
    EXPECT_EQ(ErrorOf(BookmarkImport::Read(tree.Path("missing"))),
              ImportTexts::CannotRead(tree.Path("missing"), ENOENT));
    EXPECT_EQ(ErrorOf(BookmarkImport::Read(tree.Root())),
              ImportTexts::CannotRead(tree.Root(), EISDIR));
}

// Cut anywhere, as when the browser is still writing it or a copy stopped halfway, an export
// file is refused whole: read in part, it would replace a complete import with a piece of it.
TEST(BookmarkReaders, RefuseAnExportFileCutAnywhere) {
    const std::string whole = ReadFile(Fixtures + "bookmarks.html");
    for (std::size_t cut = whole.find('\n'); cut < whole.rfind('>'); ++cut) {
        ExportFileReader reader;
        EXPECT_EQ(ErrorOf(reader.ReadBytes(whole.substr(0, cut), "cut")),
                  ImportTexts::EndsTooEarly("cut"))
            << cut;
    }
}

// Bytes that are no UTF-8 come through as characters that are.
TEST(BookmarkReaders, ReadInvalidBytesOfAnExportFileAsCharacters) {
    TempTree tree;
    tree.Write("bytes.html", "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><A HREF=\"http://a/\xFF\">"
                             "t\xC3\x28</A></DL>");
    EXPECT_EQ(Describe(BookmarkImport::Read(tree.Path("bytes.html"))),
              "t\xEF\xBF\xBD( = http://a/\xEF\xBF\xBD\n");
}

TEST(BookmarkReaders, FindTheDefaultProfiles) {
    TempTree tree;
    const std::string home = tree.Path("home");
    tree.Write("home/.mozilla/firefox/profiles.ini",
               "[Profile1]\nName=old\nIsRelative=1\nPath=abc.old\nDefault=1\n\n"
               "[Profile0]\nName=default-release\nIsRelative=1\nPath=xyz.default-release\n\n"
               "[Install4F96D1932A9F858E]\nDefault=xyz.default-release\nLocked=1\n");
    tree.Write("home/.mozilla/firefox/abc.old/places.sqlite", "old");
    tree.Write("home/.mozilla/firefox/xyz.default-release/places.sqlite", "new");
    tree.Write("home/snap/firefox/common/.mozilla/firefox/profiles.ini",
               "[Profile0]\nPath=/elsewhere\n");
    tree.Write("config/BraveSoftware/Brave-Browser/Default/Bookmarks", "{}");
    tree.Write("home/.var/app/com.google.Chrome/config/google-chrome/Default/Bookmarks", "{}");
    tree.Write("config/vivaldi/Profile 1/Bookmarks", "{}");
    struct Case {
        const char* word;
        std::string name;
        std::string path;
    };
    const Case cases[] = {
        {"firefox", "Firefox", home + "/.mozilla/firefox/xyz.default-release/places.sqlite"},
        {"brave", "Brave", tree.Path("config/BraveSoftware/Brave-Browser/Default/Bookmarks")},
        {"chrome", "Chrome",
         home + "/.var/app/com.google.Chrome/config/google-chrome/Default/Bookmarks"},
        {"vivaldi", "", ""},
        {"edge", "", ""},
    };
    for (const Case& test : cases) {
        const auto found =
            BrowserProfiles::Find(test.word, {home, tree.Path("config"), home + "/.local/share"});
        EXPECT_EQ(found ? found->name + " " + found->path : "",
                  test.path.empty() ? "" : test.name + " " + test.path)
            << test.word;
    }
}

} // namespace
