// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/BookmarkExport.h"

#include "BookmarkTreeText.h"
#include "TempTree.h"
#include "TestPicture.h"
#include "generation/BuildLinkList.h"
#include "import/BookmarkImport.h"
#include "import/ShortcutTreeWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <regex>
#include <sstream>
#include <sys/stat.h>

namespace {

constexpr std::int64_t Moment = 1000000000; // 2001-09-09T01:46:40Z
const std::string Png = std::string("\x89PNG\r\n\x1a\n", 8) + "rest of the picture";

// Gives every file and folder under root the same modification time, deepest first.
void SetTimes(const std::string& root) {
    const timespec times[2] = {{Moment, 0}, {Moment, 0}};
    std::vector<std::string> paths{root};
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        paths.push_back(entry.path());
    std::reverse(paths.begin(), paths.end());
    for (const std::string& path : paths)
        utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

// A tree as the walk sees it, for a direct import of the same links: with icons, each link
// takes the bytes of the file its IconFile names, read here on its own, and links naming the
// same file share them as a browser's links of one site do.
class TreeCollector : public LinkTreeVisitor {
public:
    TreeCollector(std::string source, bool icons) : source_(std::move(source)), icons_(icons) {
        open_.push_back(&tree);
    }

    void Link(const ScannedLink& link) override {
        open_.back()->links.push_back(
            {std::string(link.name), std::string(link.address), IconOf(link)});
        withIcon += open_.back()->links.back().icon ? 1 : 0;
    }
    void FolderStart(std::string_view name, std::optional<std::int64_t> /*modified*/) override {
        open_.back()->folders.push_back({std::string(name), {}, {}});
        open_.push_back(&open_.back()->folders.back());
    }
    void FolderEnd() override { open_.pop_back(); }

    BookmarkFolder tree;
    long long withIcon = 0;

private:
    std::shared_ptr<const std::string> IconOf(const ScannedLink& link) {
        if (!icons_ || link.iconFile.empty())
            return nullptr;
        std::string path(link.iconFile);
        if (!path.starts_with('/')) {
            std::string folder = source_ + "/";
            for (const std::string_view name : link.folders)
                folder.append(name).push_back('/');
            path = folder + path;
        }
        const auto [known, added] = iconsRead_.try_emplace(path);
        if (added) {
            std::ifstream file(path, std::ios::binary);
            std::ostringstream bytes;
            bytes << file.rdbuf();
            if (file && !bytes.str().empty())
                known->second = std::make_shared<const std::string>(bytes.str());
        }
        return known->second;
    }

    std::string source_;
    bool icons_;
    std::map<std::string, std::shared_ptr<const std::string>> iconsRead_;
    std::vector<BookmarkFolder*> open_;
};

// The links of a tree in the page's order: "folder/folder/name = address" lines.
std::string WalkOf(const std::string& source) {
    Settings settings;
    settings.sourceFolder = source;
    Globals globals;
    std::string walk;
    WalkLinkList(settings, globals, [&walk](const ScannedLink& link) {
        for (const std::string_view folder : link.folders)
            walk.append(folder).push_back('/');
        walk.append(link.name).append(" = ").append(link.address).push_back('\n');
    });
    return walk;
}

class Export : public testing::Test {
protected:
    Export() { settings.sourceFolder = tree.Path("Fav"); }

    std::string Text(BookmarkExport::Format format) {
        BookmarkExport::Counts ignored;
        return BookmarkExport::Text(settings, globals, format, ignored);
    }

    TempTree tree;
    Settings settings;
    Globals globals;
};

// Browsers read these files line by line (Chromium) or as markup (Firefox); XBEL readers check
// the DTD. The page's rules decide what is in them: order, ignored folders, subfolders or not.
TEST_F(Export, WritesTheLinksOfThePageInEachFormat) {
    tree.Shortcut("Fav/b <&> \"q\".url", "https://b.example/?x=1&y=\"2\"");
    tree.Write("Fav/A.url", "[InternetShortcut]\r\nURL=https://a.example/\r\nIconFile=i/a.png\r\n");
    tree.Write("Fav/i/a.png", Png);
    tree.Write("Fav/Web.url", "[InternetShortcut]\r\nURL=https://w.example/\r\n"
                              "IconFile=https://w.example/favicon.ico\r\n");
    tree.Write("Fav/Program.url", "[InternetShortcut]\r\nURL=https://p.example/\r\n"
                                  "IconFile=i/program.exe\r\n");
    tree.Write("Fav/i/program.exe", Png);
    tree.Write("Fav/Sub/Text.url", "[InternetShortcut]\r\nURL=https://t.example/\r\n"
                                   "IconFile=../notes.txt\r\n");
    tree.Write("Fav/notes.txt", "not a picture");
    tree.Shortcut("Fav/Skipped/c.url", "https://c.example/");
    tree.Folder("Fav/Sub/Empty");
    SetTimes(tree.Path("Fav"));
    globals.IgnoreList = {"skipped", "i"};
    const std::string icon =
        "data:image/png;base64," + QByteArray::fromStdString(Png).toBase64().toStdString();
    const std::string netscapeHead = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                                     "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                                     "charset=UTF-8\">\n"
                                     "<TITLE>Bookmarks</TITLE>\n"
                                     "<H1>Bookmarks</H1>\n"
                                     "<DL><p>\n";
    const std::string netscapeLinks =
        R"(<DT><A HREF="https://a.example/" ADD_DATE="1000000000" ICON=")" + icon +
        "\">A</A>\n"
        "<DT><A HREF=\"https://b.example/?x=1&amp;y=&quot;2&quot;\" ADD_DATE=\"1000000000\">b "
        "&lt;&amp;&gt; &quot;q&quot;</A>\n"
        "<DT><A HREF=\"https://p.example/\" ADD_DATE=\"1000000000\">Program</A>\n"
        "<DT><A HREF=\"https://w.example/\" ADD_DATE=\"1000000000\">Web</A>\n";
    const struct {
        const char* name;
        BookmarkExport::Format format;
        bool subfolders;
        std::string text;
        BookmarkExport::Counts counts;
    } cases[] = {
        {"netscape",
         BookmarkExport::Format::Netscape,
         true,
         netscapeHead + netscapeLinks +
             "<DT><H3 ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">Sub</H3>\n"
             "<DL><p>\n"
             "<DT><A HREF=\"https://t.example/\" ADD_DATE=\"1000000000\">Text</A>\n"
             "<DT><H3 ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">Empty</H3>\n"
             "<DL><p>\n"
             "</DL><p>\n"
             "</DL><p>\n"
             "</DL><p>\n",
         {5, 2, 1}},
        {"netscape without subfolders",
         BookmarkExport::Format::Netscape,
         false,
         netscapeHead + netscapeLinks + "</DL><p>\n",
         {4, 0, 1}},
        {"xbel",
         BookmarkExport::Format::Xbel,
         true,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange Language "
         "1.0//EN//XML\" \"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n"
         "<xbel version=\"1.0\">\n"
         "  <bookmark href=\"https://a.example/\" added=\"2001-09-09T01:46:40Z\">\n"
         "    <title>A</title>\n"
         "  </bookmark>\n"
         "  <bookmark href=\"https://b.example/?x=1&amp;y=&quot;2&quot;\" "
         "added=\"2001-09-09T01:46:40Z\">\n"
         "    <title>b &lt;&amp;&gt; &quot;q&quot;</title>\n"
         "  </bookmark>\n"
         "  <bookmark href=\"https://p.example/\" added=\"2001-09-09T01:46:40Z\">\n"
         "    <title>Program</title>\n"
         "  </bookmark>\n"
         "  <bookmark href=\"https://w.example/\" added=\"2001-09-09T01:46:40Z\">\n"
         "    <title>Web</title>\n"
         "  </bookmark>\n"
         "  <folder added=\"2001-09-09T01:46:40Z\">\n"
         "    <title>Sub</title>\n"
         "    <bookmark href=\"https://t.example/\" added=\"2001-09-09T01:46:40Z\">\n"
         "      <title>Text</title>\n"
         "    </bookmark>\n"
         "    <folder added=\"2001-09-09T01:46:40Z\">\n"
         "      <title>Empty</title>\n"
         "    </folder>\n"
         "  </folder>\n"
         "</xbel>\n",
         {5, 2, 0}},
    };
    for (const auto& row : cases) {
        settings.includeSubfolders = row.subfolders;
        BookmarkExport::Counts counts;
        EXPECT_EQ(BookmarkExport::Text(settings, globals, row.format, counts), row.text)
            << row.name;
        EXPECT_EQ(counts.links, row.counts.links) << row.name;
        EXPECT_EQ(counts.folders, row.counts.folders) << row.name;
        EXPECT_EQ(counts.icons, row.counts.icons) << row.name;
    }
}

// Each bookmark carries its own shortcut's time, however many links come before it and though
// shortcuts naming no address are passed over among them.
TEST_F(Export, EachBookmarkCarriesItsOwnShortcutsTime) {
    std::map<std::string, std::int64_t> times;
    for (int folder = 0; folder < 40; ++folder)
        for (int link = 0; link < 10; ++link) {
            const std::string name = "Fav/" + std::to_string(folder) + "/" + std::to_string(link);
            const std::string address = "https://" + std::to_string(times.size()) + ".example/";
            tree.Shortcut(name + ".url", address);
            tree.Write(name + " no address.url", "[InternetShortcut]\r\n");
            // Seven hours apart, so the links span many days.
            times[address] = Moment + static_cast<std::int64_t>(times.size()) * 25200;
            const timespec stamp[2] = {{times[address], 0}, {times[address], 0}};
            utimensat(AT_FDCWD, tree.Path(name + ".url").c_str(), stamp, 0);
        }
    const struct {
        BookmarkExport::Format format;
        std::regex bookmark;
        std::function<std::string(std::int64_t)> written;
    } cases[] = {
        {BookmarkExport::Format::Netscape, std::regex(R"re(HREF="([^"]*)" ADD_DATE="([^"]*)")re"),
         [](std::int64_t seconds) { return std::to_string(seconds); }},
        {BookmarkExport::Format::Xbel, std::regex(R"re(href="([^"]*)" added="([^"]*)")re"),
         [](std::int64_t seconds) {
             return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
                 .toString(Qt::ISODate)
                 .toStdString();
         }},
    };
    for (const auto& row : cases) {
        const std::string text = Text(row.format);
        std::size_t bookmarks = 0;
        for (auto match = std::sregex_iterator(text.begin(), text.end(), row.bookmark);
             match != std::sregex_iterator(); ++match, ++bookmarks)
            EXPECT_EQ((*match)[2], row.written(times[(*match)[1]])) << (*match)[1];
        EXPECT_EQ(bookmarks, times.size());
    }
}

// An icon goes into the bookmark file as it is, when its first bytes tell an image kind.
TEST_F(Export, CarriesOnlyIconsOfAnImageKind) {
    const struct {
        const char* name;
        std::string bytes;
        std::string type;
    } cases[] = {
        {"PNG", Png, "image/png"},
        {"WebP", std::string("RIFF\x10\0\0\0WEBPVP8 ", 16), "image/webp"},
        {"RIFF cut short", "RIFFab", ""},
        {"RIFF of a sound", std::string("RIFF\x10\0\0\0WAVEfmt ", 16), ""},
        {"empty", "", ""},
    };
    for (const auto& row : cases) {
        TempTree own;
        own.Write("Fav/a.url", "[InternetShortcut]\r\nURL=https://a.example/\r\nIconFile=icon\r\n");
        own.Write("Fav/icon", row.bytes);
        settings.sourceFolder = own.Path("Fav");
        const std::string text = Text(BookmarkExport::Format::Netscape);
        const std::string icon = "data:" + row.type + ";base64," +
                                 QByteArray::fromStdString(row.bytes).toBase64().toStdString();
        EXPECT_EQ(text.find(" ICON=\"" + icon + "\"") != std::string::npos, !row.type.empty())
            << row.name;
        EXPECT_EQ(text.find(" ICON=") != std::string::npos, !row.type.empty()) << row.name;
    }
}

// A name becomes a title on one line of valid UTF-8, an address what a browser would send.
TEST_F(Export, NamesAndAddressesReachTheFileAsText) {
    const struct {
        const char* name;
        std::string fileName;
        std::string address;
        std::string line;
    } cases[] = {
        {"a tab and a bell in the name", "a\tb\x07.url", "https://x/",
         "<DT><A HREF=\"https://x/\">a b </A>"},
        {"bytes that are no UTF-8", "caf\xE9 \xFF.url", "https://x/",
         "<DT><A HREF=\"https://x/\">caf\xEF\xBF\xBD \xEF\xBF\xBD</A>"},
        {"Chinese and U+FFFF", "书签\xEF\xBF\xBF.url", "https://x/",
         "<DT><A HREF=\"https://x/\">书签\xEF\xBF\xBD</A>"},
        {"control and stray bytes in the address", "a.url", "https://x/\x01y\xE9z\x7F",
         "<DT><A HREF=\"https://x/%01y%E9z%7F\">a</A>"},
        {"UTF-8 in the address stays", "a.url", "https://例子.测试/路径",
         "<DT><A HREF=\"https://例子.测试/路径\">a</A>"},
    };
    for (const auto& row : cases) {
        TempTree own;
        own.Shortcut("Fav/" + row.fileName, row.address);
        settings.sourceFolder = own.Path("Fav");
        const std::string text = Text(BookmarkExport::Format::Netscape);
        const std::size_t start = text.find("<DT>");
        const std::string line = text.substr(start, text.find(" ADD_DATE") - start) +
                                 text.substr(text.find('>', start + 4),
                                             text.find('\n', start) - text.find('>', start + 4));
        EXPECT_EQ(line, row.line) << row.name;
    }
}

TEST_F(Export, TheFileNameOrTheOptionChoosesTheFormat) {
    using Format = BookmarkExport::Format;
    const struct {
        const char* name = nullptr;
        std::optional<Format> ofFile;
        std::optional<Format> named;
    } cases[] = {
        {"b.html", Format::Netscape, std::nullopt}, {"B.HTM", Format::Netscape, std::nullopt},
        {"a.b/c.xbel", Format::Xbel, std::nullopt}, {"html", std::nullopt, Format::Netscape},
        {"xbel", std::nullopt, Format::Xbel},       {"b.lfs", std::nullopt, std::nullopt},
        {"a.html/b", std::nullopt, std::nullopt},   {"", std::nullopt, std::nullopt},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(BookmarkExport::FormatOfFile(row.name), row.ofFile) << row.name;
        EXPECT_EQ(BookmarkExport::FormatNamed(row.name), row.named) << row.name;
    }
}

// Nothing is written for a tree without links, and a failed write leaves the earlier file.
TEST_F(Export, WritesWholeOrNotAtAll) {
    tree.Folder("Fav/Only folders");
    tree.Write("out/old.html", "old");
    tree.Folder("out/folder.html");
    const struct {
        const char* name;
        bool links;
        std::string path;
        bool fails;
    } cases[] = {
        {"no link", false, "out/old.html", false},
        {"a path that is a folder", true, "out/folder.html", true},
        {"a folder that is not there", true, "missing/new.html", true},
    };
    for (const auto& row : cases) {
        if (row.links)
            tree.Shortcut("Fav/a.url", "https://a.example/");
        const ResultOf<BookmarkExport::Counts> written = BookmarkExport::Write(
            settings, globals, tree.Path(row.path), BookmarkExport::Format::Netscape);
        EXPECT_EQ(!written, row.fails) << row.name;
        if (!written) {
            EXPECT_NE(written.failure().Text().find(tree.Path(row.path)), std::string::npos)
                << row.name << ": " << written.failure().Text();
        }
        EXPECT_EQ(tree.Read("out/old.html"), "old") << row.name;
    }
}

// Names of every kind, as files of a tree may have them.
const std::vector<std::string> HostileNames = {"plain",
                                               "quote\"d",
                                               "<b>tag",
                                               "a &amp; b",
                                               "tab\tin",
                                               "bell\x07",
                                               "\xFF\xFE latin1 \xE9",
                                               " blank ends ",
                                               "dup",
                                               "DUP",
                                               "dup ",
                                               "中文名称",
                                               std::string(std::size_t{240}, 'x'),
                                               "-->",
                                               "]]>",
                                               "emoji 😀",
                                               "&#38;",
                                               "\\back\\slash"};

// The IconFile of a shortcut in folder (below root): none, one of the tree's hidden icon folder
// (as an import keeps them, named relative to the shortcut's folder), a picture outside the
// tree by its full path, or a file that is not there.
std::string IconLine(const TempTree& tree, const std::string& folder, std::size_t choice) {
    const std::size_t depth = static_cast<std::size_t>(std::ranges::count(folder, '/'));
    std::string up;
    for (std::size_t i = 0; i < depth; ++i)
        up += "../";
    const std::string icons = up + ".linkshelf-icons/";
    const std::string files[] = {"",
                                 icons + "red.png",
                                 icons + "green.ico",
                                 "./" + icons + "blue.png",
                                 tree.Path("pictures/yellow.ico"),
                                 icons + "missing.png"};
    const std::string& file = files[choice % std::size(files)];
    return file.empty() ? "" : "IconFile=" + file + "\r\nIconIndex=0\r\n";
}

// A tree of hostile names, some folders empty, from a seed; most links with an icon, shared
// with others, of several kinds and places.
void MakeTree(const TempTree& tree, const std::string& root, unsigned seed) {
    tree.Write(root + "/.linkshelf-icons/red.png", TestPicture(qRgb(200, 0, 0), 16, "PNG"));
    tree.Write(root + "/.linkshelf-icons/green.ico", TestPicture(qRgb(0, 160, 0), 32, "ICO"));
    tree.Write(root + "/.linkshelf-icons/blue.png", TestPicture(qRgb(0, 0, 220), 48, "PNG"));
    tree.Write("pictures/yellow.ico", TestPicture(qRgb(230, 210, 0), 16, "ICO"));
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    std::vector<std::string> folders{root};
    for (int i = 0; i < 60; ++i) {
        const std::string& folder = folders[pick(folders.size())];
        const std::string& name = HostileNames[pick(HostileNames.size())];
        if (pick(4) == 0 && folders.size() < 12) {
            tree.Folder(folder + "/" + name + " " + std::to_string(i % 3));
            folders.push_back(folder + "/" + name + " " + std::to_string(i % 3));
        } else {
            tree.Write(folder + "/" + name + ".url",
                       "[InternetShortcut]\r\nURL=https://example.org/" + std::to_string(i) +
                           "?a=1&b=\"<2>\"\r\n" + IconLine(tree, folder, pick(6)));
        }
    }
}

// Export, then import the export: the tree comes back as a direct import of the same links
// writes it, file for file and byte for byte, in the page's order, and from a bookmark file with
// every link's icon (XBEL has no place for icons).
TEST_F(Export, ImportingTheExportGivesBackTheTree) {
    const std::string example = std::string(LINKSHELF_TEST_DATA) + "/../../examples/Favorites";
    const struct {
        const char* name;
        unsigned seed; // 0: the example tree
        BookmarkExport::Format format;
    } cases[] = {
        {"example, bookmark file", 0, BookmarkExport::Format::Netscape},
        {"example, XBEL", 0, BookmarkExport::Format::Xbel},
        {"hostile tree 1, bookmark file", 1, BookmarkExport::Format::Netscape},
        {"hostile tree 1, XBEL", 1, BookmarkExport::Format::Xbel},
        {"hostile tree 2, bookmark file", 2, BookmarkExport::Format::Netscape},
        {"hostile tree 2, XBEL", 2, BookmarkExport::Format::Xbel},
        {"hostile tree 3, bookmark file", 3, BookmarkExport::Format::Netscape},
        {"hostile tree 3, XBEL", 3, BookmarkExport::Format::Xbel},
    };
    for (const auto& row : cases) {
        TempTree own;
        const std::string source = row.seed == 0 ? example : own.Path("Fav");
        if (row.seed != 0)
            MakeTree(own, "Fav", row.seed);
        settings.sourceFolder = source;
        const std::string file =
            own.Path(row.format == BookmarkExport::Format::Xbel ? "b.xbel" : "b.html");
        const ResultOf<BookmarkExport::Counts> exported =
            BookmarkExport::Write(settings, globals, file, row.format);
        ASSERT_TRUE(exported) << row.name << ": " << exported.failure().Text();

        const ResultOf<BookmarkFolder> read = BookmarkImport::Read(file);
        ASSERT_TRUE(read) << row.name << ": " << read.failure().Text();
        ShortcutTreeWriter roundTrip;
        ASSERT_TRUE(roundTrip.Write(*read, own.Path("back"), "Fav")) << row.name;

        const bool icons = row.format == BookmarkExport::Format::Netscape;
        TreeCollector collected(source, icons);
        WalkLinkTree(settings, globals, collected);
        ShortcutTreeWriter direct;
        ASSERT_TRUE(direct.Write(collected.tree, own.Path("direct"), "Fav")) << row.name;

        EXPECT_EQ(DescribeFolder(own.Path("back")), DescribeFolder(own.Path("direct"))) << row.name;
        EXPECT_EQ(WalkOf(own.Path("back/Fav")), WalkOf(own.Path("direct/Fav"))) << row.name;
        EXPECT_EQ(roundTrip.Written().links, exported->links) << row.name;
        EXPECT_EQ(roundTrip.Written().folders, exported->folders) << row.name;
        EXPECT_EQ(roundTrip.Written().withIcon, collected.withIcon) << row.name;
        EXPECT_EQ(direct.Written().withIcon, collected.withIcon) << row.name;
        EXPECT_EQ(collected.withIcon > 0, icons && row.seed != 0) << row.name;
        if (row.seed == 0) {
            EXPECT_EQ(WalkOf(own.Path("back/Fav")), WalkOf(example)) << row.name;
        }
    }
}

} // namespace
