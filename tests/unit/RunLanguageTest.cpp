// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckTexts.h"
#include "generation/RunTexts.h"
#include "import/ImportTexts.h"
#include "platform/Language.h"
#include "platform/LocaleFormat.h"

#include <QCoreApplication>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>

namespace {

// English for the length of one test; the next starts in Chinese again.
struct English {
    English() { Language::Install(Language::Choice::English); }
    ~English() {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    English(const English&) = delete;
    English& operator=(const English&) = delete;
};

CheckReport ReportOf(std::size_t total, std::size_t checked, std::size_t notChecked, bool stopped) {
    CheckReport report;
    report.total = total;
    report.checked = checked;
    report.ok = checked;
    report.notChecked = notChecked;
    report.stopped = stopped;
    return report;
}

} // namespace

// Each count says one or many in English; the Chinese texts have one form and stay as they were.
TEST(RunLanguage, EveryCountTakesItsPluralForm) {
    struct Case {
        const char* name;
        std::function<std::string()> text;
        std::string chinese;
        std::string english;
    };
    const Case cases[] = {
        {"one link and one folder imported", [] { return ImportTexts::Written("F", 1, 1, 1); },
         "已导入 1 个链接和 1 个文件夹到 \"F\"。跳过了 1 个不能在网页中打开的链接。",
         "Imported 1 link and 1 folder into \"F\". Skipped 1 link a web page cannot open."},
        {"many links and folders imported", [] { return ImportTexts::Written("F", 3, 2, 0); },
         "已导入 3 个链接和 2 个文件夹到 \"F\"。", "Imported 3 links and 2 folders into \"F\"."},
        {"one link in the page", [] { return PageWrittenText("p.htm", 1, 1); },
         "Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 \"p.htm\" 。" +
             std::string(26, ' ') + "\r\n\r\n合计找到 1 个链接   \r\n\r\n1 文件夹的目录被忽略。" +
             std::string(17, ' '),
         "Linkshelf has made your bookmarks page and saved it to the file \"p.htm\".\r\n\r\n"
         "1 link found.\r\n\r\n1 folder ignored."},
        {"a check stopped with one link left",
         [] { return CheckTexts::Summary(ReportOf(3, 1, 1, true)); },
         "已停止。已检查 1 / 3 个链接：1 个正常，0 个失效，0 个已移动，0 个拒绝访问；0 "
         "个地址重复（共 0 处）；1 个未检查（其他协议）。1 个链接因检查停止而未检查。",
         "Stopped. Checked 1 of 3 links: 1 ok, 0 dead, 0 moved, 0 blocked; 0 addresses filed more "
         "than "
         "once (0 places); 1 not checked (other schemes). 1 link not checked because the check "
         "was stopped."},
        {"one link checked", [] { return CheckTexts::Summary(ReportOf(1, 1, 0, false)); },
         "已检查 1 / 1 个链接：1 个正常，0 个失效，0 个已移动，0 个拒绝访问；0 个地址重复（共 0 "
         "处）；0 个未检查（其他协议）。",
         "Checked 1 of 1 link: 1 ok, 0 dead, 0 moved, 0 blocked; 0 addresses filed more than once "
         "(0 places); 0 not checked (other schemes)."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text(), c.chinese) << c.name;
    const English english;
    for (const Case& c : cases)
        EXPECT_EQ(c.text(), c.english) << c.name;
}

TEST(RunLanguage, ThePageTakesTheRunsLanguage) {
    EXPECT_EQ(LocaleFormat::LanguageTag(), "zh-CN");
    const English english;
    EXPECT_EQ(LocaleFormat::LanguageTag(), "en");
}
