// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Text.h"

#include "TempTree.h"
#include "platform/FileChecks.h"
#include "text/TextFile.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ReplaceCase {
    std::string text, oldText, newText, expected;
};

TEST(Text, ReplaceAllReplacesLeftToRightWithoutRescanning) {
    const ReplaceCase cases[] = {
        {"aaa", "aa", "b", "ba"},
        {"x", "x", "xx", "xx"},
        {"abc", "", "z", "abc"},
        {"abc", "d", "z", "abc"},
        {"%T% and %T%", "%T%", "title", "title and title"},
        {"%t%", "%T%", "title", "%t%"},
        {"a-b-c", "-", "", "abc"},
        {std::string("a\0b", 3), std::string("\0", 1), "+", "a+b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.oldText, c.newText), c.expected) << c.text;
}

TEST(Text, ReplaceAllInPlaceGivesWhatReplaceAllGives) {
    const ReplaceCase cases[] = {
        {"aaa", "aa", "b", "ba"},
        {"x", "x", "xx", "xx"},
        {"abc", "", "z", "abc"},
        {"abc", "d", "z", "abc"},
        {"", "a", "b", ""},
        {"%V%%V%x%V%", "%V%", "2.0.1", "2.0.12.0.1x2.0.1"},
        {"%V%%V%x%V%", "%V%", "2", "22x2"},
        {"%V%%V%x%V%", "%V%", "", "x"},
        {"a%V%b%V%c", "%V%", "<1>", "a<1>b<1>c"},
        {"%LF_VERSION%%LF_VERSION", "%LF_VERSION%", "v", "v%LF_VERSION"},
        {std::string("a\0b\0", 4), std::string("\0", 1), "++", "a++b++"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        ReplaceAllInPlace(text, c.oldText, c.newText);
        EXPECT_EQ(text, c.expected) << c.text << " " << c.newText;
        EXPECT_EQ(text, ReplaceAll(c.text, c.oldText, c.newText)) << c.text << " " << c.newText;
    }
}

TEST(Text, SplitByCharKeepsEmptyPiecesButNotATrailingOne) {
    struct Case {
        std::string text;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {";a", {"", "a"}},
        {"a;;b", {"a", "", "b"}},
        {"a;", {"a"}},
        {";", {""}},
        {"/A;;/B;", {"/A", "", "/B"}},
        {";Old;;Temp;", {"", "Old", "", "Temp"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> list{"earlier"};
        SplitByChar(c.text, ';', list);
        std::vector<std::string> expected{"earlier"};
        expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
        EXPECT_EQ(list, expected) << c.text;
    }
}

TEST(Text, TextAfterLastAndTabIndentAndTrim) {
    EXPECT_EQ(TextAfterLast(".lfs", '.'), "lfs");
    EXPECT_EQ(TextAfterLast("abc", '.'), "abc");
    EXPECT_EQ(TextAfterLast("abc.", '.'), "");
    EXPECT_EQ(TextAfterLast("", '.'), "");
    EXPECT_EQ(TabIndent(0), "");
    EXPECT_EQ(TabIndent(-1), "");
    EXPECT_EQ(TabIndent(3), "\t\t\t");
    EXPECT_EQ(TrimText(" \t\r\n\x01 a b \x1f\x20"), "a b");
    EXPECT_EQ(TrimText("\xE4\xB8\xAD"), "\xE4\xB8\xAD");
}

TEST(Text, SameTextNoCaseFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameTextNoCase("/home/Links", "/HOME/links"));
    EXPECT_TRUE(SameTextNoCase("", ""));
    EXPECT_FALSE(SameTextNoCase("", "a"));
    EXPECT_FALSE(SameTextNoCase("新闻", "新闾"));
    EXPECT_FALSE(SameTextNoCase("\xC3\xA9", "\xC3\x89")); // é and É
    EXPECT_FALSE(SameTextNoCase("[", "{"));
    EXPECT_TRUE(SameTextNoCase(std::string("ab\0x", 4), std::string("AB\0y", 4)));
}

TEST(FileChecks, FolderExistsAndTrailingDelimiter) {
    TempTree tree;
    tree.Write("file", "x");
    EXPECT_TRUE(FolderExists(tree.Root()));
    EXPECT_TRUE(FolderExists(tree.Root().substr(0, tree.Root().size() - 1)));
    EXPECT_FALSE(FolderExists(tree.Path("file")));
    EXPECT_FALSE(FolderExists(tree.Path("missing")));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_EQ(AddTrailingPathDelimiter(""), "");
    EXPECT_EQ(AddTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(AddTrailingPathDelimiter("/tmp"), "/tmp/");
    EXPECT_EQ(AddTrailingPathDelimiter("/tmp//"), "/tmp//");
}

TEST(WriteTextFile, ReplacesTheWholeFileAndReadsBackEveryByte) {
    TempTree tree;
    const std::string path = tree.Path("page.htm");
    ASSERT_TRUE(WriteTextFile("a long first content", path));
    const std::string bytes("\0\x01\xFF\r\nshort", 10);
    ASSERT_TRUE(WriteTextFile(bytes, path));
    EXPECT_EQ(*ReadTextFile(path), bytes);
    ASSERT_TRUE(WriteTextFile("", path));
    EXPECT_EQ(*ReadTextFile(path), "");
}

TEST(ReadTextFile, FailsWithThePathAndTheSystemsReason) {
    TempTree tree;
    ASSERT_EQ(mkfifo(tree.Path("pipe").c_str(), 0600), 0);
    const struct {
        const char* name;
        std::string path;
        int error;
    } cases[] = {
        {"missing", tree.Path("missing"), ENOENT},
        {"folder", tree.Root(), EISDIR},
        {"pipe, never waited on", tree.Path("pipe"), EINVAL},
    };
    for (const auto& c : cases) {
        const ResultOf<std::string> read = ReadTextFile(c.path);
        ASSERT_FALSE(read) << c.name;
        EXPECT_EQ(read.failure().path, c.path) << c.name;
        EXPECT_EQ(read.failure().cause, SystemReason(c.error)) << c.name;
    }
}

TEST(WriteTextFile, FailsWithoutTouchingTheOldFile) {
    TempTree tree;
    EXPECT_FALSE(WriteTextFile("x", tree.Path("missing/page.htm")));
    EXPECT_FALSE(WriteTextFile("x", tree.Root()));
    tree.Write("page.htm", "old page");
    chmod(tree.Path("page.htm").c_str(), 0444);
    if (geteuid() != 0) {
        EXPECT_FALSE(WriteTextFile("new page", tree.Path("page.htm")));
        EXPECT_EQ(tree.Read("page.htm"), "old page");
    }
    EXPECT_FALSE(WriteTextFile("x", "/dev/null")) << "a device is never replaced";
}

TEST(WriteTextFile, WritesThroughASymbolicLinkAndKeepsThePermissions) {
    TempTree tree;
    tree.Write("real/page.htm", "old");
    chmod(tree.Path("real/page.htm").c_str(), 0640);
    ASSERT_EQ(symlink("real/page.htm", tree.Path("link.htm").c_str()), 0);
    ASSERT_TRUE(WriteTextFile("new", tree.Path("link.htm")));
    EXPECT_EQ(tree.Read("real/page.htm"), "new");
    struct stat info {};
    ASSERT_EQ(lstat(tree.Path("link.htm").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(tree.Path("real/page.htm").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

} // namespace
