// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/BuildLinkList.h"

#include "TempTree.h"
#include "settings/Settings.h"

#include <array>
#include <cstddef>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LinkList : public testing::Test {
protected:
    LinkList() { record.sourceFolder = tree.Root() + "Fav"; }

    std::string Build() {
        std::string html;
        BuildLinkList(record, globals, html);
        return html;
    }

    TempTree tree;
    Settings record;
    Globals globals;
};

// The tree of the worked example: links of a folder first, then its subfolders, both sorted
// without regard to case; an ignored folder and a shortcut without an address leave no trace.
TEST_F(LinkList, RendersTheWorkedExampleByteForByte) {
    tree.Shortcut("Fav/alpha.url", "A1");
    tree.Shortcut("Fav/Empty.url", "");
    tree.Shortcut("Fav/Zeta.url", "A2");
    tree.Shortcut("Fav/News/Daily.url", "A3");
    tree.Shortcut("Fav/Links/Hidden.url", "A4");
    tree.Folder("Fav/Old");
    globals.IgnoreList = {"links"};

    EXPECT_EQ(Build(), "<DL>\r\n"
                       "<DT><A HREF=\"A1\">alpha</A>\r\n"
                       "<DT><A HREF=\"A2\">Zeta</A>\r\n"
                       "<!-- Start of News -->\r\n"
                       "<DT><H4>News</H4>\r\n"
                       "<DL>\r\n"
                       "\t<DT><A HREF=\"A3\">Daily</A>\r\n"
                       "</DL>\r\n"
                       "<!-- End of News -->\r\n"
                       "<!-- Start of Old -->\r\n"
                       "<DT><H4>Old</H4>\r\n"
                       "<DL>\r\n"
                       "</DL>\r\n"
                       "<!-- End of Old --></DL>\r\n");
    EXPECT_EQ(globals.LinkCount, 3);
    EXPECT_EQ(globals.IgnoredCount, 1);

    globals = {};
    globals.IgnoreList = {"links"};
    record.showUrl = true;
    record.includeSubfolders = false;
    EXPECT_EQ(Build(), "<DL>\r\n"
                       "<DT><A HREF=\"A1\">alpha</A> - A1\r\n"
                       "<DT><A HREF=\"A2\">Zeta</A> - A2</DL>\r\n");
    EXPECT_EQ(globals.LinkCount, 2);
    EXPECT_EQ(globals.IgnoredCount, 0);
}

TEST_F(LinkList, NestsEachLevelOneTabDeeper) {
    tree.Shortcut("Fav/News/News/Deep.url", "A5");
    EXPECT_EQ(Build(), "<DL>\r\n"
                       "<!-- Start of News -->\r\n"
                       "<DT><H4>News</H4>\r\n"
                       "<DL>\r\n"
                       "\t<!-- Start of News -->\r\n"
                       "\t<DT><H4>News</H4>\r\n"
                       "\t<DL>\r\n"
                       "\t\t<DT><A HREF=\"A5\">Deep</A>\r\n"
                       "\t</DL>\r\n"
                       "\t<!-- End of News -->\r\n"
                       "</DL>\r\n"
                       "<!-- End of News --></DL>\r\n");
}

TEST_F(LinkList, AnEmptyOrMissingSourceGivesAnEmptyList) {
    tree.Folder("Fav");
    EXPECT_EQ(Build(), "<DL></DL>\r\n");
    record.sourceFolder = tree.Root() + "missing";
    EXPECT_EQ(Build(), "<DL></DL>\r\n");
    EXPECT_EQ(globals.LinkCount, 0);
}

TEST_F(LinkList, SortsWithoutRegardToCaseAndReadsEveryKindOfName) {
    tree.Shortcut("Fav/b.url", "2");
    tree.Shortcut("Fav/A.URL", "1");
    tree.Shortcut("Fav/c.Url", "3");
    tree.Shortcut("Fav/.hidden.url", "0");
    tree.Shortcut("Fav/.url", "nameless");
    tree.Write("Fav/notes.txt", "[InternetShortcut]\r\nURL=ignored\r\n");
    tree.Shortcut("Fav/folder.url/inside.url", "4");
    std::string html = Build();
    EXPECT_EQ(html, "<DL>\r\n"
                    "<DT><A HREF=\"0\">.hidden</A>\r\n"
                    "<DT><A HREF=\"nameless\"></A>\r\n"
                    "<DT><A HREF=\"1\">A</A>\r\n"
                    "<DT><A HREF=\"2\">b</A>\r\n"
                    "<DT><A HREF=\"3\">c</A>\r\n"
                    "<!-- Start of folder.url -->\r\n"
                    "<DT><H4>folder.url</H4>\r\n"
                    "<DL>\r\n"
                    "\t<DT><A HREF=\"4\">inside</A>\r\n"
                    "</DL>\r\n"
                    "<!-- End of folder.url --></DL>\r\n");
    EXPECT_EQ(globals.LinkCount, 6);
}

TEST_F(LinkList, EscapesMarkupInNamesAndAddressesWholeAndUncut) {
    const std::string longAddress = "https://example.org/?q=" + std::string(300, 'x');
    tree.Shortcut("Fav/Tom & <b>Jerry<\\b>.url", "https://a/?x=1&y=\"2\"");
    tree.Shortcut("Fav/long.url", longAddress);
    tree.Folder("Fav/a-->b");
    record.showUrl = true;
    EXPECT_EQ(Build(), "<DL>\r\n"
                       "<DT><A HREF=\"" +
                           longAddress + "\">long</A> - " + longAddress +
                           "\r\n"
                           "<DT><A HREF=\"https://a/?x=1&amp;y=&quot;2&quot;\">Tom &amp; "
                           "&lt;b&gt;Jerry&lt;\\b&gt;</A> - https://a/?x=1&amp;y=&quot;2&quot;\r\n"
                           "<!-- Start of a--&gt;b -->\r\n"
                           "<DT><H4>a--&gt;b</H4>\r\n"
                           "<DL>\r\n"
                           "</DL>\r\n"
                           "<!-- End of a--&gt;b --></DL>\r\n");
}

// A shortcut is read only as far as its address, but the address is the one the whole file
// gives, wherever it stands in the first mebibyte and however the file is laid out.
TEST_F(LinkList, ReadsTheAddressTheWholeFileGives) {
    const std::string section = "[InternetShortcut]\r\n";
    // A comment line of the given size, ending in CR LF.
    const auto padding = [](std::size_t size) {
        return std::string(";").append(size - 3, 'p').append("\r\n");
    };
    const std::size_t mebibyte = std::size_t{1024} * 1024;
    const auto utf16 = [](std::string_view text) {
        std::string bytes = "\xFF\xFE";
        for (const char c : text)
            bytes.append({c, '\0'});
        return bytes;
    };
    const std::pair<std::string, std::string> files[] = {
        {"a first", section + "URL=one\r\nURL=two\r\n"},
        {"b unended", section + "URL=last"},
        {"c far", padding(5000) + section + "URL=far\r\n"},
        {"d across",
         padding(4096 - section.size() - 6) + section + "URL=across-the-first-read\r\n"},
        {"e exact", padding(4096 - section.size() - 9) + section + "URL=4096\n"},
        {"f lone cr", section + "URL=cr\rURL=no\r"},
        {"g wide", utf16("[InternetShortcut]\r\nURL=w\r\n")},
        {"h in reach", padding(mebibyte - 1024) + section + "URL=in-reach\r\n"},
        {"i out of reach", padding(mebibyte) + section + "URL=out-of-reach\r\n"},
        {"j empty", ""},
        {"k later section", section + "X=1\r\n[Other]\r\nURL=other\r\n" + section + "URL=2nd\r\n"},
    };
    for (const auto& [name, bytes] : files)
        tree.Write("Fav/" + name + ".url", bytes);
    EXPECT_EQ(Build(), "<DL>\r\n"
                       "<DT><A HREF=\"one\">a first</A>\r\n"
                       "<DT><A HREF=\"last\">b unended</A>\r\n"
                       "<DT><A HREF=\"far\">c far</A>\r\n"
                       "<DT><A HREF=\"across-the-first-read\">d across</A>\r\n"
                       "<DT><A HREF=\"4096\">e exact</A>\r\n"
                       "<DT><A HREF=\"cr\">f lone cr</A>\r\n"
                       "<DT><A HREF=\"w\">g wide</A>\r\n"
                       "<DT><A HREF=\"in-reach\">h in reach</A></DL>\r\n");
}

// Markup is found at every place in a text, whatever the text's length.
TEST_F(LinkList, EscapesMarkupWhereverItStands) {
    const std::string plain = "abcdefghijklmnopqrstuvw";
    std::string expected = "<DL>";
    for (std::size_t length = 1; length <= plain.size(); ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string address = plain.substr(0, length);
            address[at] = "&<>\""[at % 4];
            std::string escaped = plain.substr(0, at) +
                                  std::array{"&amp;", "&lt;", "&gt;", "&quot;"}[at % 4] +
                                  plain.substr(at + 1, length - at - 1);
            const std::string name = std::string(1, static_cast<char>('A' + length)) +
                                     (at < 10 ? "0" : "") + std::to_string(at);
            tree.Shortcut("Fav/" + name + ".url", address);
            expected += "\r\n<DT><A HREF=\"" + escaped + "\">" + name + "</A>";
        }
    }
    EXPECT_EQ(Build(), expected + "</DL>\r\n");
}

TEST_F(LinkList, TidiesTheIgnoreListAndSkipsIgnoredFoldersAtAnyDepth) {
    tree.Shortcut("Fav/LINKS/x.url", "1");
    tree.Shortcut("Fav/Keep/links/Sub/y.url", "2");
    tree.Shortcut("Fav/Keep/z.url", "3");
    globals.IgnoreList = {"  Links\t", "   ", "", "新闻"};
    Build();
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"Links", "新闻"}));
    EXPECT_EQ(globals.LinkCount, 1);
    EXPECT_EQ(globals.IgnoredCount, 2);
    EXPECT_FALSE(IsIgnoredFolder("Links/", {"Links"}));
    EXPECT_FALSE(IsIgnoredFolder("Links", {"Links/"}));
}

TEST_F(LinkList, FollowsFolderLinksButNeverLoops) {
    tree.Shortcut("Fav/A/a.url", "1");
    tree.Shortcut("Fav/B/b.url", "2");
    ASSERT_EQ(symlink("../B", tree.Path("Fav/A/toB").c_str()), 0);
    ASSERT_EQ(symlink("../A", tree.Path("Fav/B/toA").c_str()), 0);
    ASSERT_EQ(symlink("..", tree.Path("Fav/A/up").c_str()), 0);
    ASSERT_EQ(symlink("missing", tree.Path("Fav/dangling.url").c_str()), 0);
    const std::string html = Build();
    // A/toB enters B once; its toA leads back to A, which is written empty. A/up is the source.
    EXPECT_EQ(globals.LinkCount, 4);
    EXPECT_NE(html.find("<DT><H4>up</H4>\r\n\t<DL>\r\n\t</DL>"), std::string::npos);
    EXPECT_NE(html.find("\t\t<DT><H4>toA</H4>\r\n\t\t<DL>\r\n\t\t</DL>"), std::string::npos);
}

TEST_F(LinkList, NeverWaitsOnPipesOrDevices) {
    tree.Shortcut("Fav/real.url", "1");
    ASSERT_EQ(mkfifo(tree.Path("Fav/x.url").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", tree.Path("Fav/y.url").c_str()), 0);
    Build();
    EXPECT_EQ(globals.LinkCount, 1);
}

TEST_F(LinkList, AnUnreadableSubfolderStillGetsItsBlock) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    tree.Shortcut("Fav/Locked/x.url", "1");
    chmod(tree.Path("Fav/Locked").c_str(), 0);
    EXPECT_EQ(Build(), "<DL>\r\n<!-- Start of Locked -->\r\n<DT><H4>Locked</H4>\r\n<DL>\r\n"
                       "</DL>\r\n<!-- End of Locked --></DL>\r\n");
}

} // namespace
