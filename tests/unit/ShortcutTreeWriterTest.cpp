// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ShortcutTreeWriter.h"

#include "BookmarkTreeText.h"
#include "TempTree.h"
#include "import/ImportTexts.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// A shortcut's line of DescribeFolder.
std::string Shortcut(const std::string& url) {
    return "[InternetShortcut]\r\nURL=" + url + "\r\n\n";
}

BookmarkFolder Sample() {
    BookmarkFolder tree;
    tree.links = {{"Home", "https://example.com/?a=1&b=%20"},
                  {"Home", "HTTP://example.com/2"},
                  {"../../x", "https://example.com/x"},
                  {"", "mailto:me@example.com"},
                  {"Run", "javascript:alert(1)"},
                  {"Pic", "data:image/png;base64,AA=="},
                  {"Query", "place:sort=8"},
                  {"Split", "https://a.example/\r\nURL=x"},
                  {"Blank end", "https://a.example/ "}};
    tree.folders = {{"Work", {}, {{"Doc", "file:///home/me/doc.txt"}}},
                    {"Work", {}, {{"FTP", "ftp://ftp.example.org/"}}},
                    {"Home.url", {}, {}}};
    return tree;
}

class Writer : public testing::Test {
protected:
    std::string Target() const { return tree.Path("Favorites"); }
    std::string Written() const { return DescribeFolder(Target()); }

    TempTree tree;
    ShortcutTreeWriter writer;
};

TEST_F(Writer, WritesOneShortcutPerImportableLinkInOneSubfolder) {
    const Result written = writer.Write(Sample(), Target(), "Firefox");
    ASSERT_TRUE(written) << written.failure().Text();
    EXPECT_EQ(Written(), "Firefox/\n"
                         "Firefox/.._.._x.url = " +
                             Shortcut("https://example.com/x") +
                             "Firefox/Home (2).url = " + Shortcut("HTTP://example.com/2") +
                             "Firefox/Home.url (2)/\n"
                             "Firefox/Home.url = " +
                             Shortcut("https://example.com/?a=1&b=%20") +
                             "Firefox/Work (2)/\n"
                             "Firefox/Work (2)/FTP.url = " +
                             Shortcut("ftp://ftp.example.org/") +
                             "Firefox/Work/\n"
                             "Firefox/Work/Doc.url = " +
                             Shortcut("file:///home/me/doc.txt") +
                             "Firefox/未命名链接.url = " + Shortcut("mailto:me@example.com"));
    EXPECT_EQ(writer.Written().links, 6);
    EXPECT_EQ(writer.Written().folders, 3);
    EXPECT_EQ(writer.Written().skipped, 5);
    EXPECT_EQ(writer.FolderPath(), Target() + "/Firefox");
}

TEST_F(Writer, ReplacesAnEarlierImportWholeAndNothingElse) {
    tree.Shortcut("Favorites/Mine.url", "https://mine.example/");
    tree.Shortcut("Favorites/Firefox/Old/Gone.url", "https://old.example/");
    tree.Shortcut("Favorites/Chromium/Kept.url", "https://kept.example/");
    BookmarkFolder tree2;
    tree2.links = {{"New", "https://new.example/"}};
    const Result written = writer.Write(tree2, Target(), "Firefox");
    ASSERT_TRUE(written) << written.failure().Text();
    EXPECT_EQ(Written(), "Chromium/\n"
                         "Chromium/Kept.url = " +
                             Shortcut("https://kept.example/") +
                             "Firefox/\n"
                             "Firefox/New.url = " +
                             Shortcut("https://new.example/") +
                             "Mine.url = " + Shortcut("https://mine.example/"));
}

// A failure halfway (here a tree deeper than any reader gives) leaves the earlier import as it
// was and no working folder behind; so does a killed import, whose leftover the next one
// removes, while one that another import still works in stays.
TEST_F(Writer, LeavesTheEarlierImportWhenItFails) {
    tree.Shortcut("Favorites/Firefox/Old.url", "https://old.example/");
    tree.Shortcut("Favorites/.linkshelf-import-dead01/Half.url", "https://half.example/");
    tree.Folder("Favorites/.linkshelf-import-busy01");
    const int busy = open(tree.Path("Favorites/.linkshelf-import-busy01").c_str(), O_RDONLY);
    ASSERT_EQ(flock(busy, LOCK_EX), 0);

    BookmarkFolder deep;
    BookmarkFolder* level = &deep;
    for (int depth = 0; depth <= BookmarkFolder::MaxDepth + 1; ++depth) {
        level->links = {{"L", "https://l.example/"}};
        level->folders = {{"D", {}, {}}};
        level = &level->folders.front();
    }
    const Result written = writer.Write(deep, Target(), "Firefox");
    ASSERT_FALSE(written);
    EXPECT_TRUE(written.failure().Text().starts_with("不能写入文件夹")) << written.failure().Text();
    EXPECT_EQ(Written(), ".linkshelf-import-busy01/\n"
                         "Firefox/\n"
                         "Firefox/Old.url = " +
                             Shortcut("https://old.example/"));
    close(busy);
}

TEST_F(Writer, RefusesToReplaceWhatIsNoFolder) {
    tree.Write("Favorites/Firefox", "a file of the user's");
    tree.Folder("Elsewhere");
    ASSERT_EQ(symlink(tree.Path("Elsewhere").c_str(), tree.Path("Favorites/Chromium").c_str()), 0);
    for (const std::string name : {"Firefox", "Chromium"}) {
        const Result written = writer.Write(Sample(), Target(), name);
        ASSERT_FALSE(written) << name;
        EXPECT_EQ(written.failure().Text(), ImportTexts::NotAFolder(Target() + "/" + name));
    }
    EXPECT_EQ(tree.Read("Favorites/Firefox"), "a file of the user's");
    EXPECT_TRUE(std::filesystem::is_symlink(Target() + "/Chromium"));
    EXPECT_EQ(DescribeFolder(tree.Path("Elsewhere")), "");
}

TEST_F(Writer, MakesTheTargetFolderAndNamesTheSubfolderSafely) {
    ASSERT_TRUE(writer.Write({}, Target() + "/new/deeper", "../../bookmarks"));
    EXPECT_EQ(Written(), "new/\nnew/deeper/\nnew/deeper/.._.._bookmarks/\n");
}

TEST_F(Writer, NumbersThousandsOfLinksOfOneName) {
    BookmarkFolder wide;
    wide.links.assign(3000, {"Same", "https://same.example/"});
    ASSERT_TRUE(writer.Write(wide, Target(), "Wide"));
    EXPECT_EQ(writer.Written().links, 3000);
    EXPECT_TRUE(std::filesystem::exists(Target() + "/Wide/Same (3000).url"));
}

} // namespace
