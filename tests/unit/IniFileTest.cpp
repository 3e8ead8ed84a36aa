// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IniFile.h"

#include "TempTree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::string> Url(const std::string& bytes) {
    return IniFile::FindValue(bytes, "InternetShortcut", "URL");
}

TEST(IniFile, ReadsByThePrivateProfileRules) {
    struct Case {
        std::string bytes;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
        {"[InternetShortcut]\nURL=http://a/", "http://a/"},
        {"[InternetShortcut]\rURL=http://a/\r", "http://a/"},
        {"  [ internetshortcut ]  \n\t url \v=  http://a/ \t\n", "http://a/"},
        {"[InternetShortcut]\nURL=\"quoted\"\n", "quoted"},
        {"[InternetShortcut]\nURL='quoted'\n", "quoted"},
        {"[InternetShortcut]\nURL=\"mixed'\n", "\"mixed'"},
        {"[InternetShortcut]\nURL=\"\"x\"\"\n", "\"x\""},
        {"[InternetShortcut]\nURL=\n", ""},
        {"[InternetShortcut]\nURL\n", std::nullopt},
        {"[InternetShortcut]\n;URL=commented\n", std::nullopt},
        {"[InternetShortcut]\n#URL=hash\n", std::nullopt},
        {"[InternetShortcut]\n#URL=hash\nURL=real\n", "real"},
        {"URL=before any section\n[InternetShortcut]\n", std::nullopt},
        {"[Other]\nURL=other\n[InternetShortcut]\nURL=mine\n", "mine"},
        {"[InternetShortcut]\nURL=first\nURL=second\n", "first"},
        {"[InternetShortcut]\nX=1\n[InternetShortcut]\nURL=second section\n", std::nullopt},
        {"[InternetShortcut]junk\nURL=a=b\n", "a=b"},
        {"[InternetShortcut\nURL=unclosed\n", "unclosed"},
        {"\xEF\xBB\xBF[InternetShortcut]\r\nURL=bom\r\n", "bom"},
        {std::string("\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0="
                     "\0w\0\x2D\x4E\n\0",
                     54),
         "w\xE4\xB8\xAD"},
        {"", std::nullopt},
        {std::string("[InternetShortcut]\nURL=a\0b\n", 27), std::string("a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Url(c.bytes), c.value) << c.bytes;
}

class IniFileWrite : public testing::Test {
protected:
    std::string Write(const std::string& before, const std::string& key, const std::string& value,
                      const std::string& section = "Options") {
        if (!before.empty())
            tree.Write("s.lfs", before);
        IniFile file(tree.Path("s.lfs"));
        EXPECT_TRUE(file.Load());
        EXPECT_TRUE(file.SetValue(section, key, value));
        EXPECT_TRUE(file.Save());
        return tree.Read("s.lfs");
    }
    TempTree tree;
};

TEST_F(IniFileWrite, ChangesOneLineAndKeepsEveryOtherByte) {
    struct Case {
        std::string before, key, value, after;
    };
    const Case cases[] = {
        {"", "A", "1", "[Options]\r\nA=1\r\n"},
        {"; note\r\n[Options]\r\nA = old \r\nB=2\r\n", "a", "new",
         "; note\r\n[Options]\r\nA =new\r\nB=2\r\n"},
        {"[Options]\nA=1\n\n; trailing comment\n[Next]\nZ=9\n", "B", "2",
         "[Options]\nA=1\nB=2\n\n; trailing comment\n[Next]\nZ=9\n"},
        {"[Options]\r\n[Next]\r\n", "A", "1", "[Options]\r\nA=1\r\n[Next]\r\n"},
        {"[Other]\r\nX=1", "A", "1", "[Other]\r\nX=1\r\n[Options]\r\nA=1\r\n"},
        {"[Other]\nX=1\n", "A", " spaced ", "[Other]\nX=1\n[Options]\nA=\" spaced \"\n"},
        {"[Options]\rA=1\r", "A", "", "[Options]\rA=\r"},
        {"\xEF\xBB\xBF[Options]\r\nA=1\r\n", "A", "2", "\xEF\xBB\xBF[Options]\r\nA=2\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Write(c.before, c.key, c.value), c.after) << c.before;
}

TEST_F(IniFileWrite, KeepsAUtf16FileInUtf16) {
    const std::string before("\xFF\xFE[\0O\0]\0\r\0\n\0", 12);
    const std::string after = Write(before, "K", "\xE4\xB8\xAD", "O");
    EXPECT_EQ(after, std::string("\xFF\xFE[\0O\0]\0\r\0\n\0K\0=\0\x2D\x4E\r\0\n\0", 22));
    IniFile file(tree.Path("s.lfs"));
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.Value("o", "k"), "\xE4\xB8\xAD");
}

TEST_F(IniFileWrite, RefusesValuesThatWouldAddLines) {
    IniFile file(tree.Path("s.lfs"));
    EXPECT_FALSE(file.SetValue("Options", "Title", "a\r\n[Options]\r\nShowURL=1"));
    EXPECT_FALSE(file.SetValue("Options", "Ti=tle", "x"));
}

TEST_F(IniFileWrite, FailsForAMissingFolderOrAnUnwritableFile) {
    IniFile missing(tree.Path("no/such/folder/s.lfs"));
    EXPECT_TRUE(missing.Load());
    ASSERT_TRUE(missing.SetValue("Options", "A", "1"));
    EXPECT_FALSE(missing.Save());

    tree.Write("s.lfs", "[Options]\r\nA=1\r\n");
    chmod(tree.Path("s.lfs").c_str(), 0444);
    if (geteuid() != 0) {
        IniFile readOnly(tree.Path("s.lfs"));
        ASSERT_TRUE(readOnly.Load());
        ASSERT_TRUE(readOnly.SetValue("Options", "A", "2"));
        EXPECT_FALSE(readOnly.Save());
        EXPECT_EQ(tree.Read("s.lfs"), "[Options]\r\nA=1\r\n");
    }
}

} // namespace
