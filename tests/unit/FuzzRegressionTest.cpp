// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs the fuzzers in fuzz/ found, each in the form of the rule it broke. The crash inputs
// themselves are in fuzz/corpus/ini_file.

#include "TempTree.h"
#include "Utf16Text.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace {

class FuzzRegression : public testing::Test {
protected:
    IniFile Loaded(const std::string& bytes) {
        tree.Write("s.lfs", bytes);
        IniFile file(tree.Path("s.lfs"));
        EXPECT_TRUE(file.Load());
        return file;
    }

    TempTree tree;
};

// A key such as "[OptioOptions" was written as a line that reads back as a section.
TEST_F(FuzzRegression, NamesThatWouldNotReadBackAreRefused) {
    struct Case {
        std::string section, key;
    };
    const Case cases[] = {
        {"Options", "[OptioOptions"}, {"Options", ";Key"}, {"Options", " Key"},
        {"Options", "Key\t"},         {"Options", "Ke=y"}, {"Options", "Ke\ny"},
        {"Opt]ions", "Key"},          {" Options", "Key"}, {"Options\v", "Key"},
        {"Opt\rions", "Key"},
    };
    for (const auto& c : cases) {
        IniFile file = Loaded("[Options]\r\nKey=1\r\n");
        EXPECT_FALSE(file.SetValue(c.section, c.key, "hot")) << c.section << "/" << c.key;
    }
    IniFile file = Loaded("");
    EXPECT_TRUE(file.SetValue("", "", "empty names read back"));
    EXPECT_TRUE(file.Save());
    EXPECT_EQ(Loaded(tree.Read("s.lfs")).Value("", ""), "empty names read back");
}

// A value ending in a tab was written bare, and reading dropped the tab.
TEST_F(FuzzRegression, ValuesReadBackExactlyAsTheyWereSet) {
    struct Case {
        std::string value, line;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF\t", "Key=\"\xEF\xBB\xBF\t\""},
        {" spaced ", "Key=\" spaced \""},
        {"\"quoted\"", R"(Key=""quoted"")"},
        {"'single'", "Key=\"'single'\""},
        {"\"\"", R"(Key="""")"},
        {"\"open", "Key=\"open"},
        {"plain", "Key=plain"},
        {"", "Key="},
    };
    for (const auto& c : cases) {
        IniFile file = Loaded("[Options]\r\nKey=old\r\n");
        ASSERT_TRUE(file.SetValue("Options", "Key", c.value));
        ASSERT_TRUE(file.Save());
        EXPECT_EQ(tree.Read("s.lfs"), "[Options]\r\n" + c.line + "\r\n") << c.value;
        EXPECT_EQ(Loaded(tree.Read("s.lfs")).Value("Options", "Key"), c.value) << c.value;
    }
}

// Bytes that are not UTF-8 were written into a UTF-16 file as replacement characters.
TEST_F(FuzzRegression, AUtf16FileTakesOnlyUtf8Text) {
    const std::string before = Utf16Le(u"[Options]\r\n");
    const std::string notUtf8[] = {"ns\xFF\xFFO\x08", "\xED\xA0\x80", "\xC3"};
    for (const std::string& text : notUtf8) {
        IniFile file = Loaded(before);
        EXPECT_FALSE(file.SetValue("Options", "Key", text));
        EXPECT_FALSE(file.SetValue("Options", text, "value"));
        EXPECT_FALSE(file.SetValue(text, "Key", "value"));
    }
    IniFile file = Loaded(before);
    ASSERT_TRUE(file.SetValue("Options", "Key", "\xE4\xB8\xAD\xF0\x9F\x94\x97"));
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(tree.Read("s.lfs"), Utf16Le(u"[Options]\r\nKey=\u4E2D\U0001F517\r\n"));
}

// A UTF-16 file with a stray last byte lost it on the next write.
TEST_F(FuzzRegression, ADamagedUtf16FileIsReadButNeverRewritten) {
    const std::string damaged[] = {
        std::string("\xFF\xFEV", 3),
        Utf16Le(u"[Options]\r\nKey=1\r\n") + "x",
        Utf16Le(u"[Options]\r\nKey=1\r\n") + std::string("\x00\xD8", 2),
    };
    for (const std::string& bytes : damaged) {
        IniFile file = Loaded(bytes);
        EXPECT_FALSE(file.SetValue("Options", "Key", "2"));
        EXPECT_EQ(tree.Read("s.lfs"), bytes);
    }
    EXPECT_EQ(Loaded(damaged[1]).Value("Options", "Key"), "1");
}

} // namespace
