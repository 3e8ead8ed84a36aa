// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of Falkon, XBEL, qutebrowser, Firefox's backups and GNOME Web: each file made here
// is read by the program and by a short reader of its own in tests/support/readers, and the two
// must agree link for link, in order; cut-off and hostile files are refused with their cause.

#include "GvdbWriter.h"
#include "TempTree.h"
#include "import/BookmarkImport.h"
#include "import/EpiphanyReader.h"
#include "import/FalkonReader.h"
#include "import/FirefoxBackupReader.h"
#include "import/ImportTexts.h"
#include "import/QutebrowserReader.h"
#include "import/XbelReader.h"

#include <QProcess>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

const std::string Readers = LINKSHELF_TEST_DATA "/../support/readers/";

// In each folder its links in order, then each subfolder and its content: what the readers in
// tests/support/readers print.
void DescribeInOrder(const BookmarkFolder& folder, const std::string& path, std::string& text) {
    for (const BookmarkLink& link : folder.links)
        text += path + link.title + " = " + link.url + "\n";
    for (const BookmarkFolder& subfolder : folder.folders) {
        text += path + subfolder.title + "/\n";
        DescribeInOrder(subfolder, path + subfolder.title + "/", text);
    }
}

std::string DescribeInOrder(const BookmarkFolder& tree) {
    std::string text;
    DescribeInOrder(tree, "", text);
    return text;
}

// Runs program with arguments; its output, which must be all it wrote.
std::string Output(const QString& program, const QStringList& arguments,
                   const QByteArray& input = {}) {
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

int Links(const std::string& described) {
    int links = 0;
    for (std::size_t at = 0; (at = described.find(" = ", at)) != std::string::npos; ++at)
        ++links;
    return links;
}

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

// A Firefox backup compressed as Firefox does it: the lz4 tool's frame holds the one LZ4 block
// that goes after the header and the size.
std::string Compressed(const std::string& json) {
    const std::string frame = Output("lz4", {"-c", "-q", "-BD"}, QByteArray::fromStdString(json));
    const auto flags = static_cast<unsigned char>(frame.at(4));
    const std::size_t at = 7 + ((flags & 8) != 0 ? 8 : 0) + ((flags & 1) != 0 ? 4 : 0);
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i)
        size = size << 8 | static_cast<unsigned char>(frame.at(at + static_cast<std::size_t>(i)));
    EXPECT_EQ(size & 0x80000000u, 0u) << "the block is compressed";
    EXPECT_EQ(frame.substr(at + 4 + size, 4), std::string(4, '\0')) << "one block only";
    std::string header("mozLz40\0", 8);
    for (int i = 0; i < 4; ++i)
        header += static_cast<char>(json.size() >> (8 * i));
    return header + frame.substr(at + 4, size);
}

const std::string FalkonFile = R"json({
 "roots": {
  "bookmark_bar": {"children": [
    {"name": "KDE & 朋友", "type": "url", "url": "https://kde.org/?a=1&b=2", "visit_count": 3},
    {"type": "separator"},
    {"name": "开发", "type": "folder", "expanded": true, "children": [
      {"name": "Qt", "type": "url", "url": "https://www.qt.io/"},
      {"name": "Empty", "type": "folder", "children": []},
      {"name": "", "type": "url", "url": "https://no-title.example/"}]},
    {"name": "Same", "type": "url", "url": "https://same.example/1"},
    {"name": "Same", "type": "url", "url": "https://same.example/2"}],
   "expanded": true, "name": "Bookmarks Toolbar", "type": "folder"},
  "bookmark_menu": {"children": [
    {"name": "Script", "type": "url", "url": "javascript:alert(1)"},
    {"name": "Falkon", "type": "url", "url": "https://www.falkon.org/"},
    {"name": "Mail", "type": "url", "url": "mailto:someone@example.com"},
    {"name": "Sub", "type": "folder", "children": [
      {"name": "Deep", "type": "folder", "children": [
        {"name": "d1", "type": "url", "url": "https://d.example/1"},
        {"name": "d2", "type": "url", "url": "https://d.example/2"}]}]}],
   "name": "", "type": "folder"},
  "other": {"children": [
    {"name": "Other 1", "type": "url", "url": "https://o.example/1"},
    {"name": "Other 2", "type": "url", "url": "ftp://o.example/2"}],
   "name": "Unsorted Bookmarks", "type": "folder"}
 },
 "version": 1
}
)json";

const std::string KdeXbel = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xbel>
<xbel xmlns:mime="http://www.freedesktop.org/standards/shared-mime-info"
      xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks"
      xmlns:kdepriv="http://www.kde.org/kdepriv">
 <info><metadata owner="http://freedesktop.org"><bookmark:icon name="folder"/></metadata></info>
 <folder folded="no" id="kde">
  <title>KDE &amp; 朋友</title>
  <info><metadata owner="http://www.kde.org"><kdepriv:visitCount>2</kdepriv:visitCount>
  </metadata></info>
  <bookmark href="https://kde.org/?a=1&amp;b=2" id="kde-home"><title>KDE</title>
   <info><metadata owner="http://freedesktop.org"><bookmark:icon name="www"/></metadata></info>
  </bookmark>
  <separator/>
  <folder><title>Apps</title>
   <bookmark href="https://apps.kde.org/"><title>  Apps  </title></bookmark>
   <alias ref="kde"/>
  </folder>
 </folder>
 <bookmark href="https://top.example/&#x4E2D;"><title>顶层</title></bookmark>
 <bookmark href="https://untitled.example/"/>
 <alias ref="kde-home"/>
 <alias ref="kde"/>
 <alias ref="nowhere"/>
</xbel>
)";

const std::string PlainXbel = R"(<?xml version="1.0"?>
<!DOCTYPE xbel PUBLIC "+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML"
                      "http://pyxml.sourceforge.net/topics/dtds/xbel-1.0.dtd">
<xbel version="1.0"><title>Exported</title><desc>From a bookmark manager</desc>
<folder id="a"><title>A</title><bookmark href="https://a.example/1"><title>One</title><desc>x</desc></bookmark>
<folder><title>B</title><bookmark href="https://b.example/"><title>Two</title></bookmark></folder></folder>
<bookmark href="data:text/html,hi"><title>Data</title></bookmark>
</xbel>
)";

std::string BackupJson(const std::string& typeKey) {
    const auto kind = [&](int code) {
        if (typeKey == "typeCode")
            return R"("typeCode":)" + std::to_string(code);
        const char* types[] = {"", "text/x-moz-place", "text/x-moz-place-container",
                               "text/x-moz-place-separator"};
        return std::string(R"("type":")") + types[code] + '"';
    };
    return R"({"guid":"root________","title":"","index":0,"id":1,)" + kind(2) +
           R"(,"root":"placesRoot","children":[)"
           R"({"guid":"menu________","title":"menu","id":2,)" +
           kind(2) +
           R"(,"root":"bookmarksMenuFolder","children":[)"
           R"({"guid":"a","title":"Mozilla & 朋友","id":10,)" +
           kind(1) +
           R"(,"uri":"https://www.mozilla.org/?a=1&b=2","iconuri":"https://www.mozilla.org/favicon.ico"},)"
           R"({"guid":"b","title":"","id":11,)" +
           kind(3) +
           R"(},)"
           R"({"guid":"c","title":"Sub","id":12,)" +
           kind(2) +
           R"(,"children":[)"
           R"({"guid":"d","title":"Recent","id":13,)" +
           kind(1) +
           R"(,"uri":"place:sort=8"},)"
           R"({"guid":"e","id":14,)" +
           kind(1) +
           R"(,"uri":"https://untitled.example/"}]},)"
           R"({"guid":"f","title":"Live","id":15,)" +
           kind(2) +
           R"(,"annos":[{"name":"livemark/feedURI","value":"https://feed.example/"}],"children":[]}]},)"
           R"({"guid":"toolbar_____","title":"toolbar","id":3,)" +
           kind(2) +
           R"(,"root":"toolbarFolder","children":[)"
           R"({"guid":"g","title":"Bar","id":16,)" +
           kind(1) +
           R"(,"uri":"https://bar.example/"}]},)"
           R"({"guid":"tags________","title":"tags","id":4,)" +
           kind(2) + R"(,"root":"tagsFolder","children":[{"guid":"h","title":"tag","id":17,)" +
           kind(2) + R"(,"children":[{"guid":"i","id":18,)" + kind(1) +
           R"(,"uri":"https://tagged.example/"}]}]},)"
           R"({"guid":"unfiled_____","title":"unfiled","id":5,)" +
           kind(2) +
           R"(,"root":"unfiledBookmarksFolder","children":[)"
           R"({"guid":"j","title":"JS","id":19,)" +
           kind(1) +
           R"~(,"uri":"javascript:void(0)"}]},)~"
           R"({"guid":"mobile______","title":"mobile","id":6,)" +
           kind(2) + R"(,"root":"mobileFolder","children":[]}]})";
}

const std::vector<GvdbWriter::Bookmark> EpiphanyBookmarks = {
    {"https://www.gnome.org/", 300, "GNOME", {"Favorites", "桌面"}},
    {"https://wiki.gnome.org/?a=1&b=2", 100, "Wiki & more", {"桌面"}},
    {"https://untagged.example/", 200, "Untagged", {}},
    {"https://apps.gnome.org/", 100, "Apps", {"Favorites", "Favorites"}},
    {"javascript:void(0)", 400, "", {}},
};

struct Source {
    const char* name;
    // Where the file goes, under a name that says nothing of its kind.
    std::string file;
    std::string bytes;
    const char* reader;
    // How many links the independent reader finds, so that agreeing on nothing cannot pass.
    int links;
};

std::vector<Source> Sources() {
    return {
        {"Falkon", "a.dat", FalkonFile, "falkon.py", 12},
        {"KDE's XBEL", "b.dat", KdeXbel, "xbel.py", 7},
        {"XBEL with a public DTD and a version", "c.dat", PlainXbel, "xbel.py", 3},
        {"Firefox backup as JSON", "d.dat", BackupJson("typeCode"), "firefox_backup.py", 5},
        {"older Firefox backup, types only", "e.dat", BackupJson("type"), "firefox_backup.py", 5},
        {"Firefox backup compressed", "f.dat", Compressed(BackupJson("typeCode")),
         "firefox_backup.py", 5},
        {"GNOME Web", "g.dat", GvdbWriter::Bookmarks(EpiphanyBookmarks), "epiphany.py", 6},
        {"GNOME Web, newer values", "h.dat", GvdbWriter::Bookmarks(EpiphanyBookmarks, true),
         "epiphany.py", 6},
    };
}

TEST(BrowserReaders, ReadEachFormatAsAnIndependentReaderDoes) {
    TempTree tree;
    std::vector<Source> sources = Sources();
    tree.Write("qutebrowser/bookmarks/urls",
               "https://qutebrowser.org/ qutebrowser | 主页\nhttps://untitled.example/\n\n"
               "https://a.example/?x=1&y=2   Spaced  title  \r\n");
    tree.Write("qutebrowser/quickmarks",
               "ddg duckduckgo.com\nmy wiki https://wiki.example/a?b=c\nlocal localhost:8080/x\n"
               "mail mailto:me@example.com\n");
    sources.push_back({"qutebrowser", "qutebrowser", "", "qutebrowser.py", 7});
    for (const Source& source : sources) {
        if (!source.bytes.empty())
            tree.Write(source.file, source.bytes);
        const ResultOf<BookmarkFolder> read = BookmarkImport::Read(tree.Path(source.file));
        ASSERT_TRUE(read) << source.name << ": " << read.failure().Text();
        const std::string expected =
            Output("python3", {"-B", QString::fromStdString(Readers + source.reader),
                               QString::fromStdString(tree.Path(source.file))});
        EXPECT_EQ(DescribeInOrder(*read), expected) << source.name;
        EXPECT_EQ(Links(expected), source.links) << source.name << ":\n" << expected;
    }
}

using Reader = ResultOf<BookmarkFolder> (*)(std::string_view bytes, const std::string& path);

// Every reader refuses, with the cause, files that are cut off, damaged, of another version, too
// deep, or made to blow up; none gives a part of a tree.
TEST(BrowserReaders, RefuseCutOffAndHostileFiles) {
    const std::string gvdb = GvdbWriter::Bookmarks(EpiphanyBookmarks);
    std::string otherVersion = gvdb;
    otherVersion[8] = 1;
    std::string outside = gvdb;
    outside[23] = '\x7F';
    std::string misaligned = gvdb;
    ++misaligned[16];
    const GvdbWriter::Entry oddValue{"https://a.example/", std::string("\x01\0u", 3), {}, false};
    const std::string lz4 = Compressed(BackupJson("typeCode"));
    std::string hugeSize = lz4;
    hugeSize[11] = '\x7F';
    std::string badBlock = lz4;
    badBlock[13] = '\xFF';
    badBlock[14] = '\xFF';
    badBlock[15] = '\xFF';
    const std::string folder = "<folder><title>x</title>";
    // Each level holds two aliases of the level below it: the tree would double per level.
    std::string aliasBomb = "<xbel><folder id='f0'><bookmark href='https://a/'/></folder>";
    for (int level = 1; level < 40; ++level)
        aliasBomb += "<folder id='f" + std::to_string(level) + "'><alias ref='f" +
                     std::to_string(level - 1) + "'/><alias ref='f" + std::to_string(level - 1) +
                     "'/></folder>";
    aliasBomb += "</xbel>";
    struct Case {
        const char* name;
        Reader read;
        std::string bytes;
        std::string (*expected)(const std::string& path);
    };
    const Case cases[] = {
        {"Falkon cut off", FalkonReader::Read, FalkonFile.substr(0, 300),
         ImportTexts::EndsTooEarly},
        {"Falkon without roots", FalkonReader::Read, R"({"version": 1})",
         ImportTexts::NotBookmarks},
        {"Falkon folders too deep", FalkonReader::Read,
         R"({"roots":{"bookmark_menu":)" + Repeat(R"({"type":"folder","children":[)", 100) +
             Repeat("]}", 100) + "}}",
         ImportTexts::TooDeep},
        {"Falkon JSON too deep", FalkonReader::Read, Repeat("[", 100000), ImportTexts::TooDeep},
        {"XBEL cut off", XbelReader::Read, KdeXbel.substr(0, 400), ImportTexts::EndsTooEarly},
        {"XBEL of version 2", XbelReader::Read, "<xbel version='2.0'></xbel>",
         ImportTexts::VersionNotSupported},
        {"XML that is not XBEL", XbelReader::Read, "<?xml version='1.0'?><html/>",
         ImportTexts::NotXbel},
        {"XBEL folders too deep", XbelReader::Read,
         "<xbel>" + Repeat(folder, 100) + Repeat("</folder>", 100) + "</xbel>",
         ImportTexts::TooDeep},
        {"XBEL aliases that multiply", XbelReader::Read, aliasBomb, ImportTexts::AliasesTooMany},
        {"XBEL entities that multiply", XbelReader::Read,
         "<!DOCTYPE xbel [<!ENTITY a '" + Repeat("x", 100) +
             "'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'><!ENTITY c "
             "'&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;'><!ENTITY d '&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;'>]>"
             "<xbel><bookmark href='https://a/'><title>&d;&d;&d;&d;</title></bookmark></xbel>",
         nullptr},
        {"backup cut in its header", FirefoxBackupReader::Read, lz4.substr(0, 10),
         ImportTexts::EndsTooEarly},
        {"backup with an impossible size", FirefoxBackupReader::Read, hugeSize, nullptr},
        {"backup with a damaged block", FirefoxBackupReader::Read, badBlock, nullptr},
        {"backup of something else", FirefoxBackupReader::Read, R"({"windows":[]})",
         ImportTexts::NotBookmarks},
        {"GVDB cut in its header", EpiphanyReader::Read, gvdb.substr(0, 20),
         ImportTexts::EndsTooEarly},
        {"GVDB of another version", EpiphanyReader::Read, otherVersion,
         ImportTexts::VersionNotSupported},
        {"GVDB table outside the file", EpiphanyReader::Read, outside, ImportTexts::EndsTooEarly},
        {"GVDB table not aligned", EpiphanyReader::Read, misaligned, nullptr},
        {"GVDB without bookmarks", EpiphanyReader::Read, GvdbWriter::File({oddValue}),
         ImportTexts::NotBookmarks},
        {"GVDB bookmark of another kind", EpiphanyReader::Read,
         GvdbWriter::File({{"bookmarks", {}, {oddValue}, true}}), ImportTexts::VersionNotSupported},
        {"qutebrowser lines of anything", QutebrowserReader::Read, "just some\nwords here\n",
         ImportTexts::NotBookmarks},
        {"qutebrowser file not UTF-8", QutebrowserReader::Read, "https://a.example/ \xFF\n",
         ImportTexts::NotBookmarks},
    };
    for (const Case& test : cases) {
        const ResultOf<BookmarkFolder> read = test.read(test.bytes, "p");
        ASSERT_FALSE(read) << test.name;
        if (test.expected != nullptr)
            EXPECT_EQ(read.failure().Text(), test.expected("p")) << test.name;
        else
            EXPECT_TRUE(read.failure().Text().starts_with(ImportTexts::Damaged("p", "")))
                << test.name << ": " << read.failure().Text();
        EXPECT_EQ(read.failure().path, "p") << test.name;
    }
}

// Cut anywhere, as when the browser is still writing it or a copy stopped halfway, a file is
// refused whole: read in part, it would replace a complete import with a piece of it.
TEST(BrowserReaders, RefuseEachFileCutAnywhere) {
    struct Case {
        const char* name;
        Reader read;
        std::string bytes;
        // The first cut the reader must tell: before it, the file is not yet of its kind.
        std::size_t from;
    };
    const Case cases[] = {
        {"Falkon", FalkonReader::Read, FalkonFile, 1},
        {"XBEL", XbelReader::Read, KdeXbel, 1},
        {"Firefox backup", FirefoxBackupReader::Read, BackupJson("typeCode"), 1},
        {"compressed Firefox backup", FirefoxBackupReader::Read, Compressed(BackupJson("typeCode")),
         8},
        {"GNOME Web", EpiphanyReader::Read, GvdbWriter::Bookmarks(EpiphanyBookmarks), 8},
    };
    for (const Case& test : cases) {
        const std::size_t end = test.bytes.find_last_not_of(" \r\n") + 1;
        for (std::size_t cut = test.from; cut < end; ++cut) {
            const ResultOf<BookmarkFolder> read = test.read(test.bytes.substr(0, cut), "cut");
            ASSERT_FALSE(read) << test.name << " cut at " << cut;
            EXPECT_EQ(read.failure().Text(), ImportTexts::EndsTooEarly("cut"))
                << test.name << " cut at " << cut;
        }
        EXPECT_TRUE(test.read(test.bytes, "whole")) << test.name;
    }
}

TEST(BrowserReaders, FindEachBrowserWhereItKeepsItsProfile) {
    TempTree tree;
    const BrowserProfiles::Homes homes{tree.Path("home"), tree.Path("config"), tree.Path("data")};
    const std::string firefoxIni = "[Profile0]\nName=default\nIsRelative=1\nPath=p.default\n";
    tree.Write("home/.librewolf/profiles.ini", firefoxIni);
    tree.Write("home/.librewolf/p.default/places.sqlite", "");
    tree.Write("home/.var/app/one.ablaze.floorp/.floorp/profiles.ini", firefoxIni);
    tree.Write("home/.var/app/one.ablaze.floorp/.floorp/p.default/places.sqlite", "");
    tree.Write("home/.mozilla/firefox/profiles.ini", firefoxIni);
    tree.Write("home/.mozilla/firefox/p.default/bookmarkbackups/bookmarks-2024-05-01.json", "");
    tree.Write("home/.mozilla/firefox/p.default/bookmarkbackups/bookmarks-2024-05-02_9_a.jsonlz4",
               "");
    tree.Write("home/.mozilla/firefox/p.default/bookmarkbackups/bookmarks-2024-04-30_9_b.jsonlz4",
               "");
    tree.Write("config/falkon/profiles/profiles.ini", "[Profiles]\nstartProfile=work\n");
    tree.Write("config/falkon/profiles/default/bookmarks.json", "");
    tree.Write("config/falkon/profiles/work/bookmarks.json", "");
    tree.Write("data/konqueror/bookmarks.xml", "");
    tree.Write("home/.var/app/org.gnome.Epiphany/data/epiphany/bookmarks.gvdb", "");
    tree.Write("config/qutebrowser/quickmarks", "");
    tree.Write("home/snap/opera/current/.config/opera/Bookmarks", "");
    tree.Write("config/yandex-browser/Default/Bookmarks", "");
    tree.Write("home/.var/app/io.github.ungoogled_software.ungoogled_chromium/config/chromium/"
               "Default/Bookmarks",
               "");
    tree.Folder("config/zen");
    struct Case {
        const char* word;
        std::string found;
    };
    const Case cases[] = {
        {"librewolf", "LibreWolf home/.librewolf/p.default/places.sqlite"},
        {"floorp", "Floorp home/.var/app/one.ablaze.floorp/.floorp/p.default/places.sqlite"},
        {"firefox", ""},
        {"firefox-backup",
         "Firefox backup "
         "home/.mozilla/firefox/p.default/bookmarkbackups/bookmarks-2024-05-02_9_a.jsonlz4"},
        {"falkon", "Falkon config/falkon/profiles/work/bookmarks.json"},
        {"konqueror", "Konqueror data/konqueror/bookmarks.xml"},
        {"epiphany", "GNOME Web home/.var/app/org.gnome.Epiphany/data/epiphany/bookmarks.gvdb"},
        {"qutebrowser", "qutebrowser config/qutebrowser"},
        {"opera", "Opera home/snap/opera/current/.config/opera/Bookmarks"},
        {"yandex", "Yandex config/yandex-browser/Default/Bookmarks"},
        {"ungoogled-chromium", "Ungoogled Chromium home/.var/app/io.github.ungoogled_software."
                               "ungoogled_chromium/config/chromium/Default/Bookmarks"},
        {"zen", ""},
        {"waterfox", ""},
    };
    for (const Case& test : cases) {
        const auto found = BrowserProfiles::Find(test.word, homes);
        EXPECT_EQ(found ? found->name + " " + found->path.substr(tree.Root().size()) : "",
                  test.found)
            << test.word;
    }
}

// Every Firefox profile keeps backups: beside Firefox itself they are not offered again.
TEST(BrowserReaders, OfferFirefoxBackupsOnlyWithoutFirefox) {
    TempTree tree;
    const char* variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    const QByteArray saved[] = {qgetenv(variables[0]), qgetenv(variables[1]),
                                qgetenv(variables[2])};
    const auto restore = qScopeGuard([&] {
        for (int i = 0; i < 3; ++i)
            qputenv(variables[i], saved[i]);
    });
    for (const char* variable : variables)
        qputenv(variable, QByteArray::fromStdString(tree.Path("home")));
    tree.Write("home/.mozilla/firefox/profiles.ini", "[Profile0]\nPath=p\n");
    tree.Write("home/.mozilla/firefox/p/bookmarkbackups/bookmarks-2024-05-01.json", "");
    const auto names = [] {
        std::string found;
        for (const BookmarkSource& source : BrowserProfiles::Find())
            found += source.name + ";";
        return found;
    };
    EXPECT_EQ(names(), "Firefox backup;");
    tree.Write("home/.mozilla/firefox/p/places.sqlite", "");
    EXPECT_EQ(names(), "Firefox;");
}

} // namespace
