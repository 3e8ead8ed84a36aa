// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/BuildPage.h"

#include "TempTree.h"
#include "generation/RunTexts.h"
#include "platform/LocaleFormat.h"
#include "platform/SystemColors.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const std::string Version = VersionText();

TEST(ColorToHex, WritesRedGreenBlueInUpperCase) {
    const std::pair<StoredColor, std::string> cases[] = {
        {0xFF0000, "0000FF"},
        {0x800080, "800080"},
        {0xFFFFFF, "FFFFFF"},
        {0, "000000"},
        {0x0A0B0C, "0C0B0A"},
        {0x7F123456, "563412"},
        {-1, ColorToHex(SystemColors::Get(
                 static_cast<SystemColorIndex>(0xFF)))}, // index 255 names no colour
    };
    for (const auto& [color, hex] : cases)
        EXPECT_EQ(ColorToHex(color), hex) << color;
    EXPECT_EQ(ColorToHex(SystemColor(SystemColorIndex::WindowText)),
              ColorToHex(SystemColors::Get(SystemColorIndex::WindowText)));
    EXPECT_EQ(ColorToHex(static_cast<StoredColor>(0x80000005u)), "FFFFFF")
        << "classic window colour";
}

class Page : public testing::Test {
protected:
    Page() {
        record.sourceFolder = tree.Path("Fav");
        globals.TemplatePath = tree.Path("t.lft");
        tree.Shortcut("Fav/a.url", "https://a/");
    }

    std::string Build(const std::string& templateText) {
        tree.Write("t.lft", templateText);
        const ResultOf<std::string> page = BuildPage(record, globals);
        return page ? *page : "failed: " + page.failure().Text();
    }

    TempTree tree;
    Settings record;
    Globals globals;
};

TEST_F(Page, ReplacesEveryPlaceholderInItsOrder) {
    record.pageTitle = "  My %LF_VERSION% links\t";
    record.pageFont = " Arial %LF_TITLE% ";
    record.backColor = 0xFFFFFF;
    record.textColor = 0;
    record.linkColor = 0xFF0000;
    record.visitedLinkColor = 0x800080;
    globals.LinkCount = 7;
    globals.IgnoredCount = 3;
    const std::string page = Build("%LF_TITLE%|%LF_BACKCOLOR%|%LF_TEXT_COLOR%|%LF_LINK_COLOR%|"
                                   "%LF_VLINK_COLOR%|%LF_TEXT_FONT%|%LF_LINKS_COUNT%|"
                                   "%LF_HOMEPAGE_URL%|%LF_VERSION%|%lf_title%|%LF_TITLE%\r\n"
                                   "%LF_LINKS_HTML%");
    EXPECT_EQ(page, "My " + Version + " links|FFFFFF|000000|0000FF|800080|Arial %LF_TITLE%|1|" +
                        "https://linkshelf.org/|" + Version + "|%lf_title%|My " + Version +
                        " links\r\n<DL>\r\n<DT><A HREF=\"https://a/\">a</A></DL>\r\n");
    EXPECT_EQ(globals.LinkCount, 1);
    EXPECT_EQ(globals.IgnoredCount, 0);
}

TEST_F(Page, TheTitleAndFontReadAsTextOnThePage) {
    struct Case {
        const char* name;
        std::string typed;
        std::string inserted;
    };
    const Case cases[] = {
        {"markup", "Bar & <Check>", "Bar &amp; &lt;Check&gt;"},
        {"quote ends no attribute", "Say \"hi\"", "Say &quot;hi&quot;"},
        {"a reference stays text", "&amp;&#60;", "&amp;amp;&amp;#60;"},
        {"end of style", "x</style><script>", "x&lt;/style&gt;&lt;script&gt;"},
        {"trimmed first", " \t<b> ", "&lt;b&gt;"},
        {"plain text unchanged", "\xE6\x88\x91\xE7\x9A\x84 Links 100%",
         "\xE6\x88\x91\xE7\x9A\x84 Links 100%"},
    };
    for (const auto& [name, typed, inserted] : cases) {
        record.pageTitle = typed;
        record.pageFont = typed;
        EXPECT_EQ(
            Build("<title>%LF_TITLE%</title><a title=\"%LF_TITLE%\">--font: \"%LF_TEXT_FONT%\""),
            "<title>" + inserted + "</title><a title=\"" + inserted + "\">--font: \"" + inserted +
                "\"")
            << name;
    }
}

TEST_F(Page, InsertsTheDateAndTimeAndKeepsEverythingElse) {
    record.pageTitle = "%LF_TIME%";
    const std::string before = LocaleFormat::ShortDate() + "/" + LocaleFormat::ShortTime();
    const std::string page = Build("<p>%LF_DATE%/%LF_TITLE%</p>\n\xEF\xBB\xBF%");
    const std::string after = LocaleFormat::ShortDate() + "/" + LocaleFormat::ShortTime();
    EXPECT_TRUE(page == "<p>" + before + "</p>\n\xEF\xBB\xBF%" ||
                page == "<p>" + after + "</p>\n\xEF\xBB\xBF%")
        << page;
}

// The page states its language and the moment it was made, so that a reader in the other
// language sees the dates in that language's format.
TEST_F(Page, StatesTheRunsLanguageAndTheMomentOfTheRun) {
    const std::string page = Build(R"(<html lang="%LF_LANGUAGE%"><time datetime="%LF_DATETIME%">)");
    EXPECT_EQ(page.rfind(R"(<html lang="zh-CN"><time datetime=")", 0), 0u) << page;
    const QString stamp = QString::fromStdString(page).section('"', 3, 3);
    const QDateTime when = QDateTime::fromString(stamp, Qt::ISODate);
    ASSERT_TRUE(when.isValid()) << page;
    EXPECT_LE(std::abs(when.secsTo(QDateTime::currentDateTime())), 60) << page;
    EXPECT_EQ(when.offsetFromUtc(), QDateTime::currentDateTime().offsetFromUtc()) << page;
}

TEST_F(Page, NamesFromTheTreeCanPickUpLaterPlaceholdersOnly) {
    tree.Shortcut("Fav/%LF_VERSION% %LF_TITLE%.url", "https://b/");
    EXPECT_EQ(Build("%LF_LINKS_HTML%"), "<DL>\r\n<DT><A HREF=\"https://b/\">" + Version +
                                            " %LF_TITLE%</A>\r\n"
                                            "<DT><A HREF=\"https://a/\">a</A></DL>\r\n");
}

TEST_F(Page, TheLinkListMayStandAnywhereAndMoreThanOnce) {
    const std::string links = "<DL>\r\n<DT><A HREF=\"https://a/\">a</A></DL>\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"%LF_LINKS_HTML%", links},
        {"<%LF_LINKS_HTML%>", "<" + links + ">"},
        {"%LF_LINKS_HTML%%LF_LINKS_HTML%", links + links},
        {"%LF_VERSION%|%LF_LINKS_HTML%|%LF_VERSION%|%LF_HOMEPAGE_URL%%LF_VERSION%",
         Version + "|" + links + "|" + Version + "|https://linkshelf.org/" + Version},
        {"%LF_LINKS_HTML%%LF_VERSION", links + "%LF_VERSION"},
    };
    for (const auto& [templateText, page] : cases)
        EXPECT_EQ(Build(templateText), page) << templateText;
}

TEST_F(Page, AMissingTemplateIsAFailureNamingIt) {
    globals.TemplatePath = tree.Path("missing.lft");
    const ResultOf<std::string> page = BuildPage(record, globals);
    ASSERT_FALSE(page);
    EXPECT_EQ(page.failure().Text(),
              TemplateUnusable(globals.TemplatePath, SystemReason(ENOENT)).Text());
}

} // namespace
