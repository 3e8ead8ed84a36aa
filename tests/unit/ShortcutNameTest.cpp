// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ShortcutName.h"

#include <gtest/gtest.h>

namespace {

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

struct NameCase {
    const char* name;
    std::string title;
    std::string url;
    int number;
    std::string expected;
};

TEST(ShortcutName, MakesOnePlainEntryOfEveryTitle) {
    const NameCase cases[] = {
        {"plain", "Example", "https://e.com/", 1, "Example.url"},
        {"slash", "a/b", "https://e.com/", 1, "a_b.url"},
        {"nul and line break", std::string("a\0b\nc", 5), "https://e.com/", 1, "a b c.url"},
        {"dot", ".", "https://host.example/x", 1, "host.example.url"},
        {"dot dot", "..", "https://host.example/x", 1, "host.example.url"},
        {"empty, host with user and port", "", "https://me@h.example:8080/", 1, "h.example.url"},
        {"blanks only", "   ", "http://[::1]:80/", 1, "[::1].url"},
        {"climbing title", "../../x", "https://e.com/", 1, ".._.._x.url"},
        {"no host", "", "mailto:a@b.example", 1, "未命名链接.url"},
        {"outer blanks", "  t  ", "https://e.com/", 1, "t.url"},
        {"second of a name", "x", "https://e.com/", 3, "x (3).url"},
        {"invalid UTF-8",
         "\xFF"
         "abc",
         "https://e.com/", 1,
         "\xEF\xBF\xBD"
         "abc.url"},
        {"long, cut between characters", Repeat("é", 300), "https://e.com/", 1,
         Repeat("é", 125) + ".url"},
        {"long with a number", Repeat("é", 300), "https://e.com/", 2,
         Repeat("é", 123) + " (2).url"},
        {"long ASCII", Repeat("a", 300), "https://e.com/", 1, Repeat("a", 251) + ".url"},
    };
    for (const NameCase& test : cases) {
        const std::string name = ShortcutName::ForLink(test.title, test.url, test.number);
        EXPECT_EQ(name, test.expected) << test.name;
        EXPECT_LE(name.size(), ShortcutName::MaxBytes) << test.name;
    }
}

TEST(ShortcutName, NamesFoldersWithoutExtension) {
    EXPECT_EQ(ShortcutName::ForFolder("工作"), "工作");
    EXPECT_EQ(ShortcutName::ForFolder(".."), "未命名文件夹");
    EXPECT_EQ(ShortcutName::ForFolder("a/b", 2), "a_b (2)");
    EXPECT_EQ(ShortcutName::ForFolder(Repeat("a", 300)).size(), ShortcutName::MaxBytes);
}

} // namespace
