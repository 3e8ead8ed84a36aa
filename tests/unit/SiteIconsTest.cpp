// SPDX-License-Identifier: GPL-3.0-or-later
#include "GvdbWriter.h"
#include "TempTree.h"
#include "TestPicture.h"
#include "generation/BuildPage.h"
#include "import/BookmarkImport.h"
#include "platform/IconImage.h"
#include "platform/IniFile.h"
#include "settings/Settings.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

std::string Svg(const char* fill) {
    return std::string("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                       "<script>alert(1)</script><image href=\"https://tracker.example/x.png\"/>"
                       "<rect width=\"16\" height=\"16\" fill=\"") +
           fill + "\"/></svg>";
}

// Runs sql on the database at path, binding the blobs to its parameters in turn, and gives the
// database still open.
sqlite3* Open(const std::string& path, const std::string& sql,
              const std::vector<std::string>& blobs) {
    sqlite3* database = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    const char* rest = sql.c_str();
    std::size_t blob = 0;
    while (*rest != '\0') {
        EXPECT_EQ(sqlite3_prepare_v2(database, rest, -1, &statement, &rest), SQLITE_OK)
            << sqlite3_errmsg(database);
        if (statement == nullptr)
            break;
        for (int i = 1; i <= sqlite3_bind_parameter_count(statement); ++i, ++blob)
            sqlite3_bind_blob(statement, i, blobs[blob].data(),
                              static_cast<int>(blobs[blob].size()), SQLITE_TRANSIENT);
        const int step = sqlite3_step(statement);
        EXPECT_TRUE(step == SQLITE_DONE || step == SQLITE_ROW) << sqlite3_errmsg(database);
        sqlite3_finalize(statement);
    }
    return database;
}

void Execute(const std::string& path, const std::string& sql,
             const std::vector<std::string>& blobs) {
    sqlite3_close(Open(path, sql, blobs));
}

// The colour in the middle of the icon a shortcut names, "none" when it names none.
std::string IconColour(const std::string& shortcut) {
    IniFile file(shortcut);
    EXPECT_TRUE(file.Load());
    const auto icon = file.Value("InternetShortcut", "IconFile");
    if (!icon)
        return "none";
    const std::string folder = shortcut.substr(0, shortcut.rfind('/') + 1);
    const QImage image(QString::fromStdString(folder + *icon));
    if (image.isNull())
        return "unreadable " + *icon;
    return QColor(image.pixel(image.width() / 2, image.height() / 2)).name().toStdString();
}

// The shortcut below folder at relative, or the first of that file name anywhere below it.
std::string Found(const std::string& folder, const std::string& relative) {
    if (std::filesystem::exists(folder + relative))
        return folder + relative;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().filename() == relative)
            return entry.path().string();
    return folder + relative;
}

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb Blue = 0xFF0000FF;

const char* ChromiumBookmarks = R"({"roots": {"bookmark_bar": {"name": "Bar", "children": [
  {"type": "url", "name": "exact", "url": "https://a.example/page"},
  {"type": "url", "name": "same host", "url": "https://a.example/other"},
  {"type": "url", "name": "sizes", "url": "https://b.example/"},
  {"type": "url", "name": "unknown", "url": "https://c.example/"}]}}})";

const char* FaviconsSql = R"(
CREATE TABLE favicons (id INTEGER PRIMARY KEY, url LONGVARCHAR NOT NULL, icon_type INTEGER);
CREATE TABLE favicon_bitmaps (id INTEGER PRIMARY KEY, icon_id INTEGER NOT NULL,
  last_updated INTEGER DEFAULT 0, image_data BLOB, width INTEGER DEFAULT 0,
  height INTEGER DEFAULT 0, last_requested INTEGER NOT NULL DEFAULT 0);
CREATE TABLE icon_mapping (id INTEGER PRIMARY KEY, page_url LONGVARCHAR NOT NULL,
  icon_id INTEGER);
INSERT INTO favicons VALUES (1, 'https://a.example/favicon.ico', 1),
  (2, 'https://b.example/favicon.ico', 1);
INSERT INTO favicon_bitmaps (id, icon_id, image_data, width, height) VALUES (1, 1, ?, 16, 16);
INSERT INTO favicon_bitmaps (id, icon_id, image_data, width, height) VALUES (2, 2, ?, 16, 16);
INSERT INTO favicon_bitmaps (id, icon_id, image_data, width, height) VALUES (3, 2, ?, 32, 32);
INSERT INTO favicon_bitmaps (id, icon_id, image_data, width, height) VALUES (4, 2, ?, 64, 64);
INSERT INTO icon_mapping (page_url, icon_id) VALUES ('https://a.example/page', 1),
  ('https://b.example/', 2);
)";

const char* PlacesSql = R"(
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  guid TEXT, favicon_id INTEGER);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, guid TEXT);
INSERT INTO moz_places (id, url, title) VALUES (1, 'https://a.example/page', 'own'),
  (2, 'https://a.example/other', 'root'), (3, 'https://b.example/', 'svg'),
  (4, 'https://c.example/', 'root nearer');
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES
  (1, 2, NULL, 0, 0, '', 'root________'), (2, 2, NULL, 1, 0, 'menu', 'menu________'),
  (10, 1, 1, 2, 0, NULL, 'a'), (11, 1, 2, 2, 1, NULL, 'b'), (12, 1, 3, 2, 2, NULL, 'c'),
  (13, 1, 4, 2, 3, NULL, 'd');
)";

// As Firefox has it since version 55; the icons only in the write-ahead log.
const char* IconsSql = R"(
PRAGMA journal_mode = WAL;
PRAGMA wal_autocheckpoint = 0;
CREATE TABLE moz_icons (id INTEGER PRIMARY KEY, icon_url TEXT NOT NULL,
  fixed_icon_url_hash INTEGER NOT NULL DEFAULT 0, width INTEGER NOT NULL DEFAULT 0,
  root INTEGER NOT NULL DEFAULT 0, color INTEGER, expire_ms INTEGER NOT NULL DEFAULT 0,
  data BLOB);
CREATE TABLE moz_pages_w_icons (id INTEGER PRIMARY KEY, page_url TEXT NOT NULL,
  page_url_hash INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_icons_to_pages (page_id INTEGER NOT NULL, icon_id INTEGER NOT NULL,
  expire_ms INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (page_id, icon_id));
INSERT INTO moz_icons (id, icon_url, width, root, data) VALUES
  (1, 'https://a.example/own.png', 32, 0, ?);
INSERT INTO moz_icons (id, icon_url, width, root, data) VALUES
  (2, 'https://a.example/favicon.ico', 32, 1, ?);
INSERT INTO moz_icons (id, icon_url, width, root, data) VALUES
  (3, 'https://b.example/icon.svg', 65535, 0, ?);
INSERT INTO moz_icons (id, icon_url, width, root, data) VALUES
  (4, 'https://c.example/small.png', 16, 0, ?);
INSERT INTO moz_icons (id, icon_url, width, root, data) VALUES
  (5, 'https://c.example/favicon.ico', 32, 1, ?);
INSERT INTO moz_pages_w_icons VALUES (1, 'https://a.example/page', 0),
  (2, 'https://b.example/', 0), (3, 'https://c.example/', 0);
INSERT INTO moz_icons_to_pages (page_id, icon_id) VALUES (1, 1), (2, 3), (3, 4);
)";

const char* FalkonBookmarks = R"({"roots": {"bookmark_bar": {"name": "Bar", "type": "folder",
  "children": [{"name": "falkon own", "type": "url", "url": "https://a.example/page"},
  {"name": "falkon host", "type": "url", "url": "https://a.example/other"},
  {"name": "falkon unknown", "type": "url", "url": "https://c.example/"}]},
  "bookmark_menu": {"name": "", "type": "folder", "children": []}}})";

// Falkon's browsedata.db keeps more tables; the icons one is all the import reads.
const char* FalkonIconsSql = R"(
CREATE TABLE icons (id INTEGER PRIMARY KEY, icon BLOB, url VARCHAR(200));
CREATE TABLE history (id INTEGER PRIMARY KEY, url TEXT, title TEXT, date INTEGER, count INTEGER);
INSERT INTO icons (icon, url) VALUES (?, 'https://a.example/page');
)";

// As WebKitGTK (2.32 on) writes WebpageIcons.db; an icon not loaded yet has no data.
const char* WebKitIconsSql = R"(
CREATE TABLE PageURL (url TEXT NOT NULL ON CONFLICT FAIL UNIQUE ON CONFLICT REPLACE,
  iconID INTEGER NOT NULL ON CONFLICT FAIL);
CREATE TABLE IconInfo (iconID INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE ON CONFLICT REPLACE,
  url TEXT NOT NULL ON CONFLICT FAIL UNIQUE ON CONFLICT FAIL, stamp INTEGER);
CREATE TABLE IconData (iconID INTEGER NOT NULL ON CONFLICT FAIL UNIQUE ON CONFLICT REPLACE,
  data BLOB);
CREATE TABLE IconDatabaseInfo (key TEXT NOT NULL ON CONFLICT FAIL UNIQUE ON CONFLICT REPLACE,
  value TEXT NOT NULL ON CONFLICT FAIL);
INSERT INTO IconDatabaseInfo VALUES ('Version', 6);
INSERT INTO IconInfo (iconID, url) VALUES (1, 'https://www.gnome.org/favicon.ico'),
  (2, 'https://apps.gnome.org/favicon.ico');
INSERT INTO IconData VALUES (1, ?);
INSERT INTO IconData VALUES (2, NULL);
INSERT INTO PageURL VALUES ('https://www.gnome.org/', 1), ('https://apps.gnome.org/', 2);
)";

const char* KonquerorBookmarks = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xbel>
<xbel version="1.0">
 <bookmark href="https://kde.example/x"><title>kde</title></bookmark>
 <bookmark href="http://port.example:8080/"><title>port</title></bookmark>
 <bookmark href="https://folder.example/"><title>not a file</title></bookmark>
 <bookmark href="https://big.example/"><title>too large</title></bookmark>
</xbel>
)";

TEST(SiteIcons, EachSourceGivesItsLinksTheIconsItHolds) {
    TempTree tree;
    tree.Write("chromium/Bookmarks", ChromiumBookmarks);
    Execute(tree.Path("chromium/Favicons"), FaviconsSql,
            {TestPicture(Red, 16), TestPicture(Blue, 16), TestPicture(Green, 32),
             TestPicture(Blue, 64)});
    tree.Folder("firefox");
    Execute(tree.Path("firefox/places.sqlite"), PlacesSql, {});
    // Held open as the browser holds it, so that the icons are only in the write-ahead log.
    sqlite3* held = Open(tree.Path("firefox/favicons.sqlite"), IconsSql,
                         {TestPicture(Red, 32), TestPicture(Blue, 32), Svg("#00ff00"),
                          TestPicture(Blue, 16), TestPicture(Red, 32)});
    const std::string ico =
        QByteArray::fromStdString(TestPicture(Green, 32, "ICO")).toBase64().toStdString();
    tree.Write("export.html",
               "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
               "<DT><A HREF=\"https://a.example/\" ICON=\"data:image/png;base64," +
                   QByteArray::fromStdString(TestPicture(Red, 16)).toBase64().toStdString() +
                   "\">png</A>\n"
                   "<DT><A HREF=\"https://b.example/\" ICON=\"data:image/x-icon;base64," +
                   ico +
                   "\">ico</A>\n"
                   "<DT><A HREF=\"https://c.example/\" ICON_URI=\"https://c.example/f.ico\">"
                   "address only</A>\n"
                   "<DT><A HREF=\"https://d.example/\" ICON=\"data:image/png;base64,%%%\">"
                   "not base64</A>\n</DL><p>\n");
    tree.Write("falkon/bookmarks.json", FalkonBookmarks);
    Execute(tree.Path("falkon/browsedata.db"), FalkonIconsSql, {TestPicture(Red, 16)});
    tree.Write("qb/.config/qutebrowser/bookmarks/urls",
               "https://b.example/ qb sizes\nhttps://c.example/ qb unknown\n");
    tree.Folder("qb/.local/share/qutebrowser/webengine");
    Execute(tree.Path("qb/.local/share/qutebrowser/webengine/Favicons"), FaviconsSql,
            {TestPicture(Red, 16), TestPicture(Blue, 16), TestPicture(Green, 32),
             TestPicture(Blue, 64)});
    tree.Write("gnome/.local/share/epiphany/bookmarks.gvdb",
               GvdbWriter::Bookmarks({{"https://www.gnome.org/", 1, "web own", {}},
                                      {"https://www.gnome.org/more", 2, "web host", {}},
                                      {"https://apps.gnome.org/", 3, "web not loaded", {}}}));
    tree.Folder("gnome/.cache/epiphany/icondatabase");
    Execute(tree.Path("gnome/.cache/epiphany/icondatabase/WebpageIcons.db"), WebKitIconsSql,
            {TestPicture(Green, 16)});
    tree.Write("kde/.local/share/konqueror/bookmarks.xml", KonquerorBookmarks);
    tree.Write("kde/.cache/favicons/kde.example.png", TestPicture(Blue, 16));
    tree.Write("kde/.cache/favicons/port.example_8080.png", TestPicture(Red, 16));
    tree.Folder("kde/.cache/favicons/folder.example.png");
    tree.Write("kde/.cache/favicons/big.example.png",
               TestPicture(Red, 16) + std::string(IconImage::MaxBytes, '\0'));
    tree.Write("backup.json",
               R"({"guid": "root________", "typeCode": 2, "root": "placesRoot", "children": [
  {"guid": "menu________", "title": "menu", "typeCode": 2, "root": "bookmarksMenuFolder",
   "children": [{"title": "backup", "typeCode": 1, "uri": "https://a.example/page",
   "iconUri": "https://a.example/favicon.ico"}]}]})");
    struct Case {
        const char* name;
        std::string source;
        std::string shortcut;
        std::string colour;
    };
    const Case cases[] = {
        {"Chromium, the page's own", "chromium/Bookmarks", "Bar/exact.url", "#ff0000"},
        {"Chromium, the host's first page", "chromium/Bookmarks", "Bar/same host.url", "#ff0000"},
        {"Chromium, the bitmap nearest 32 px", "chromium/Bookmarks", "Bar/sizes.url", "#00ff00"},
        {"Chromium, none kept", "chromium/Bookmarks", "Bar/unknown.url", "none"},
        {"Firefox, the page's own over the root", "firefox/places.sqlite", "书签菜单/own.url",
         "#ff0000"},
        {"Firefox, the host's root icon", "firefox/places.sqlite", "书签菜单/root.url", "#0000ff"},
        {"Firefox, an SVG drawn", "firefox/places.sqlite", "书签菜单/svg.url", "#00ff00"},
        {"Firefox, a root icon nearer 32 px", "firefox/places.sqlite", "书签菜单/root nearer.url",
         "#ff0000"},
        {"export, PNG", "export.html", "png.url", "#ff0000"},
        {"export, ICO", "export.html", "ico.url", "#00ff00"},
        {"export, an address fetches nothing", "export.html", "address only.url", "none"},
        {"export, not base64", "export.html", "not base64.url", "none"},
        {"Falkon, the page's own", "falkon/bookmarks.json", "falkon own.url", "#ff0000"},
        {"Falkon, the host's first page", "falkon/bookmarks.json", "falkon host.url", "#ff0000"},
        {"Falkon, none kept", "falkon/bookmarks.json", "falkon unknown.url", "none"},
        {"qutebrowser, QtWebEngine's Favicons", "qb/.config/qutebrowser", "qb sizes.url",
         "#00ff00"},
        {"qutebrowser, none kept", "qb/.config/qutebrowser", "qb unknown.url", "none"},
        {"qutebrowser, its urls file", "qb/.config/qutebrowser/bookmarks/urls", "qb sizes.url",
         "#00ff00"},
        {"GNOME Web, the page's own", "gnome/.local/share/epiphany/bookmarks.gvdb", "web own.url",
         "#00ff00"},
        {"GNOME Web, the host's first page", "gnome/.local/share/epiphany/bookmarks.gvdb",
         "web host.url", "#00ff00"},
        {"GNOME Web, an icon not loaded", "gnome/.local/share/epiphany/bookmarks.gvdb",
         "web not loaded.url", "none"},
        {"Konqueror, the host's", "kde/.local/share/konqueror/bookmarks.xml", "kde.url", "#0000ff"},
        {"Konqueror, a port of its own", "kde/.local/share/konqueror/bookmarks.xml", "port.url",
         "#ff0000"},
        {"Konqueror, a folder passed over", "kde/.local/share/konqueror/bookmarks.xml",
         "not a file.url", "none"},
        {"Konqueror, too large", "kde/.local/share/konqueror/bookmarks.xml", "too large.url",
         "none"},
        {"Firefox backup, an address fetches nothing", "backup.json", "backup.url", "none"},
    };
    for (const Case& test : cases) {
        BookmarkImport import;
        ASSERT_TRUE(import.Run({"Imported", tree.Path(test.source)}, tree.Path("out")))
            << test.name;
        EXPECT_EQ(IconColour(Found(tree.Path("out/Imported/"), test.shortcut)), test.colour)
            << test.name;
    }
    EXPECT_TRUE(std::filesystem::exists(tree.Path("firefox/favicons.sqlite-wal")));
    sqlite3_close(held);
}

TEST(SiteIcons, DamagedIconTablesCostTheIconsNotTheImport) {
    TempTree tree;
    tree.Write("chromium/Bookmarks", ChromiumBookmarks);
    tree.Write("chromium/Favicons", "SQLite format 3" + std::string(200, '\x7f'));
    tree.Write("falkon/bookmarks.json", FalkonBookmarks);
    Execute(tree.Path("falkon/browsedata.db"), "CREATE TABLE icons (id INTEGER, url TEXT);", {});
    tree.Write("gnome/bookmarks.gvdb",
               GvdbWriter::Bookmarks({{"https://www.gnome.org/", 1, "web", {}}}));
    tree.Folder("gnome/icondatabase");
    Execute(tree.Path("gnome/icondatabase/WebpageIcons.db"), "CREATE TABLE PageURL (url TEXT);",
            {});
    struct Case {
        const char* name;
        std::string source;
        std::string store;
        long long links;
    };
    const Case cases[] = {
        {"Chromium, not a database", "chromium/Bookmarks", "chromium/Favicons", 4},
        {"Falkon, no icon column", "falkon/bookmarks.json", "falkon/browsedata.db", 3},
        {"GNOME Web, tables missing", "gnome/bookmarks.gvdb", "gnome/icondatabase/WebpageIcons.db",
         1},
    };
    for (const Case& test : cases) {
        BookmarkImport import;
        ASSERT_TRUE(import.Run({"Imported", tree.Path(test.source)}, tree.Path("out")))
            << test.name;
        EXPECT_EQ(import.Written().links, test.links) << test.name;
        EXPECT_NE(import.Summary().find("浏览器的网站图标无法读取"), std::string::npos)
            << test.name << ": " << import.Summary();
        EXPECT_NE(import.Summary().find(tree.Path(test.store)), std::string::npos)
            << test.name << ": names the database";
    }
}

TEST(IconImage, KeepsOnlyWhatAPageMayShow) {
    const std::string png = TestPicture(Red, 16);
    struct Case {
        const char* name;
        std::string bytes;
        // The side of the PNG kept; 0 when refused.
        int side;
    };
    const Case cases[] = {
        {"a PNG", png, 16},
        {"an ICO, the image nearest 32 px", TestPicture(Red, 48, "ICO"), 48},
        {"a large picture scaled down", TestPicture(Red, 600), IconImage::MaxSide},
        {"an SVG drawn without its script", Svg("red"), 64},
        {"a PNG cut short", png.substr(0, png.size() - 20), 0},
        {"a PNG with a damaged checksum", png.substr(0, 40) + "x" + png.substr(41), 0},
        {"text", "not an image", 0},
        {"nothing", "", 0},
        {"more than 256 KiB", png + std::string(IconImage::MaxBytes, '\0'), 0},
        {"an SVG that is not one", "<svg><<<", 0},
    };
    for (const Case& test : cases) {
        const auto kept = IconImage::Checked(QByteArray::fromStdString(test.bytes));
        const QImage image = kept ? QImage::fromData(*kept, "PNG") : QImage();
        EXPECT_EQ(image.width(), test.side) << test.name;
        EXPECT_FALSE(kept && kept->contains("script")) << test.name;
    }
}

TEST(IconImage, ReadsOnlyBase64ImageAddresses) {
    EXPECT_EQ(IconImage::FromDataUri("data:image/png;base64,aGk="), QByteArray("hi"));
    EXPECT_FALSE(IconImage::FromDataUri("data:image/png;base64,a%Gk="));
    EXPECT_FALSE(IconImage::FromDataUri("data:text/html;base64,aGk="));
    EXPECT_FALSE(IconImage::FromDataUri("data:image/png,hi"));
    EXPECT_FALSE(IconImage::FromDataUri("https://example.com/favicon.ico"));
    EXPECT_FALSE(IconImage::FromDataUri("data:image/png;base64," +
                                        std::string(std::size_t{50} * 1024 * 1024, 'A')));
}

class PageIcons : public testing::Test {
protected:
    PageIcons() {
        record.sourceFolder = tree.Path("Fav");
        globals.TemplatePath = tree.Path("t.lft");
        tree.Write("t.lft", "%LF_LINK_ICONS%");
        tree.Write("Fav/.linkshelf-icons/red.png", TestPicture(Red, 16));
        tree.Write("outside.png", TestPicture(Blue, 16));
    }

    void Link(const std::string& relative, const std::string& url, const std::string& icon) {
        tree.Write(relative, "[InternetShortcut]\r\nURL=" + url + "\r\nIconFile=" + icon +
                                 "\r\nIconIndex=0\r\n");
    }

    TempTree tree;
    Settings record;
    Globals globals;
};

TEST_F(PageIcons, EachIconOnceAndWhichLinkShowsWhich) {
    Link("Fav/a.url", "https://a.example/x", ".linkshelf-icons/red.png");
    Link("Fav/b.url", "https://a.example/y", "");
    Link("Fav/c.url", "https://c.example/", tree.Path("outside.png"));
    Link("Fav/d.url", "https://d.example/", "../outside.png");
    Link("Fav/e.url", "https://e.example/", "/dev/zero");
    Link("Fav/Sub/f.url", "https://f.example/", "../.linkshelf-icons/red.png");
    Link("Fav/g.url", "https://g.example/", "https://g.example/favicon.ico");
    // Links in the icon folder count where they lead: out of the tree, or to an icon in it.
    std::filesystem::create_symlink(tree.Path("outside.png"),
                                    tree.Path("Fav/.linkshelf-icons/out.png"));
    std::filesystem::create_symlink("red.png", tree.Path("Fav/.linkshelf-icons/in.png"));
    Link("Fav/h.url", "https://h.example/", ".linkshelf-icons/out.png");
    Link("Fav/i.url", "https://i.example/", ".linkshelf-icons/in.png");
    const ResultOf<std::string> built = BuildPage(record, globals);
    ASSERT_TRUE(built);
    const std::string& page = *built;
    EXPECT_EQ(page.find(".lf-i0::before"), page.rfind(".lf-i0::before")) << "one rule an icon";
    EXPECT_EQ(page.find(".lf-i1"), std::string::npos) << "only the icon inside the tree";
    EXPECT_NE(page.find("})(\"0,0,,,,,,0,0\");"), std::string::npos)
        << page.substr(page.size() - 80);
}

TEST_F(PageIcons, NoIconOrIconsTurnedOffLeaveNothing) {
    tree.Shortcut("Fav/a.url", "https://a.example/");
    Link("Fav/b.url", "https://b.example/", "missing.png");
    EXPECT_EQ(*BuildPage(record, globals), "");
    Link("Fav/c.url", "https://c.example/", ".linkshelf-icons/red.png");
    EXPECT_NE(*BuildPage(record, globals), "");
    record.showIcons = false;
    EXPECT_EQ(*BuildPage(record, globals), "");
}

} // namespace
