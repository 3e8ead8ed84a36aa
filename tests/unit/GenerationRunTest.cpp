// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/GenerationRun.h"

#include "RecordingDesktop.h"
#include "TempTree.h"
#include "generation/RunTexts.h"
#include "settings/Settings.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// Records what the run shows on the wizard, in the same list as the desktop's events.
class RecordingView : public RunView {
public:
    explicit RecordingView(std::vector<std::string>& events) : events_(events) {}
    void SetBusyCursor(bool busy) override { events_.push_back(busy ? "busy" : "idle"); }
    void ShowProgress(bool on) override { events_.push_back(on ? "progress" : "no progress"); }
    void ShowResult(const std::string& text) override { events_.push_back("result:" + text); }
    void ProcessPendingEvents() override { events_.push_back("events"); }

private:
    std::vector<std::string>& events_;
};

class Run : public testing::Test {
protected:
    Run() {
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.DesktopFolder = tree.Path("Desktop/");
        globals.SettingsPath = globals.DefaultSettingsPath();
        globals.TemplatePath = tree.Path("program/Linkshelf.lft");
        tree.Write("program/Linkshelf.lft", "<html>%LF_LINKS_HTML%</html>");
        tree.Folder("Desktop");
        record.sourceFolder = tree.Path("Fav");
        record.outputFile = "";
        record.launchBrowser = false;
    }

    GenerationRun::Outcome Generate() {
        GenerationRun run(record, globals);
        const auto outcome = run.Run(view);
        outputPath = run.OutputPath();
        counts = run.PageCounts();
        return outcome;
    }

    TempTree tree;
    Settings record;
    Globals globals;
    RecordingDesktop desktop;
    RecordingView view{desktop.events};
    std::string outputPath;
    GenerationRun::Counts counts;
};

TEST(OutputPath, PutsABareNameOnTheDesktop) {
    const std::string desktop = "/home/u/Desktop/";
    const std::pair<std::string, std::string> cases[] = {
        {"", "/home/u/Desktop/Linkpage.htm"},       {"   ", "/home/u/Desktop/Linkpage.htm"},
        {" page.htm ", "/home/u/Desktop/page.htm"}, {"sub/page.htm", "sub/page.htm"},
        {"/tmp/page.htm", "/tmp/page.htm"},         {"D:page.htm", "/home/u/Desktop/D:page.htm"},
    };
    for (const auto& [fileName, path] : cases)
        EXPECT_EQ(GenerationRun::OutputPathFor(fileName, desktop), path) << fileName;
    EXPECT_EQ(GenerationRun::OutputPathFor("", ""), "Linkpage.htm");
}

TEST_F(Run, WritesThePageAndReportsItInOrder) {
    tree.Shortcut("Fav/a.url", "https://a/");
    tree.Shortcut("Fav/b.url", "https://b/");
    tree.Shortcut("Fav/Old/c.url", "https://c/");
    tree.Shortcut("Fav/Temp/d.url", "https://d/");
    globals.IgnoreList = {"old", "TEMP"};
    record.launchBrowser = true;

    EXPECT_EQ(Generate(), GenerationRun::Outcome::Written);
    const std::string path = tree.Path("Desktop/Linkpage.htm");
    EXPECT_EQ(outputPath, path);
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"),
              "<html><DL>\r\n<DT><A HREF=\"https://a/\">a</A>\r\n"
              "<DT><A HREF=\"https://b/\">b</A></DL>\r\n</html>");
    const std::string written =
        "Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 \"" + path +
        "\" 。                          \r\n\r\n合计找到 2 个链接   \r\n\r\n"
        "2 文件夹的目录被忽略。                 ";
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"busy", "progress", "no progress", "result:" + written,
                                        "idle", "beep", "events", "open:" + path}));
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("IgnoreFolders=old;TEMP\r\n"),
              std::string::npos);
    EXPECT_EQ(counts.links, 2);
    EXPECT_EQ(counts.ignored, 2);
    EXPECT_EQ(globals.LinkCount, 0) << "the counts travel in the run's result";
}

TEST_F(Run, WithoutIgnoredFoldersTheResultHasNoSeparator) {
    tree.Shortcut("Fav/a.url", "https://a/");
    record.outputFile = "page.htm";
    Generate();
    EXPECT_EQ(desktop.events.at(3), "result:Linkshelf已经完成了创建您的书签页面，并且把它保存到了"
                                    "磁盘文件 \"" +
                                        tree.Path("Desktop/page.htm") +
                                        "\" 。                          \r\n\r\n"
                                        "合计找到 1 个链接   ");
}

TEST_F(Run, FindingNoShortcutWritesNothingButStillFreesAReadOnlyPage) {
    tree.Shortcut("Fav/empty.url", "");
    tree.Write("Desktop/Linkpage.htm", "old page");
    chmod(tree.Path("Desktop/Linkpage.htm").c_str(), 0444);
    record.launchBrowser = true;

    EXPECT_EQ(Generate(), GenerationRun::Outcome::NoShortcut);
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "old page");
    struct stat info {};
    ASSERT_EQ(stat(tree.Path("Desktop/Linkpage.htm").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(desktop.events.at(3), "result:Linkshelf在指定的文件夹内没有找到任何 Internet "
                                    "快捷方式文件。没有您的链接文件，程序将不能创建您想要的页面。" +
                                        std::string(45, ' ') +
                                        "\r\n\r\n如果您愿意，您可以跳回去并指定其它要搜索的位置。" +
                                        std::string(21, ' '));
    EXPECT_EQ(desktop.events.size(), 7u) << "no browser";
    EXPECT_NE(tree.Read("program/Linkshelf.lfs"), "") << "settings are saved after every run";
}

TEST_F(Run, AReadOnlyPageIsReplaced) {
    tree.Shortcut("Fav/a.url", "https://a/");
    tree.Write("Desktop/Linkpage.htm", "old page");
    chmod(tree.Path("Desktop/Linkpage.htm").c_str(), 0444);
    EXPECT_EQ(Generate(), GenerationRun::Outcome::Written);
    EXPECT_NE(tree.Read("Desktop/Linkpage.htm"), "old page");
}

TEST_F(Run, AFailedWriteIsShownBeforeTheResultAndTheBrowserIsStillAsked) {
    tree.Shortcut("Fav/a.url", "https://a/");
    record.outputFile = tree.Path("missing/page.htm");
    record.launchBrowser = true;
    desktop.openSucceeds = false;

    EXPECT_EQ(Generate(), GenerationRun::Outcome::NotWritten);
    const std::string notWritten = "不能保存页面到文件 \"" + tree.Path("missing/page.htm") +
                                   "\" 。           \r\n\r\n如果文件名称有效并且您具有完全的"
                                   "权限来写入到这个文件，请选中。" +
                                   std::string(32, ' ') + "\r\n" + std::strerror(ENOENT);
    const std::string browserFailed = BrowserFailedText();
    EXPECT_EQ(desktop.events, (std::vector<std::string>{
                                  "busy", "progress", "no progress", "beep",
                                  "error:Linkshelf:" + notWritten, "result:" + notWritten, "idle",
                                  "beep", "events", "open:" + tree.Path("missing/page.htm"), "beep",
                                  "error:Linkshelf:" + browserFailed}));
    EXPECT_NE(tree.Read("program/Linkshelf.lfs"), "");
}

TEST_F(Run, NothingIsBuiltFromAMissingSourceOrAnEmptyOrMissingTemplate) {
    struct Case {
        const char* name;
        const char* source;
        const char* templateFile;
        bool unattended;
        std::string problem;
    };
    const std::string missing = tree.Path("program/gone.lft");
    const std::string empty = tree.Path("program/empty.lft");
    const Case cases[] = {
        {"no source folder, in the wizard", "  ", "program/Linkshelf.lft", false,
         NoSourceFolderInWizardText()},
        {"no source folder, unattended", "", "program/Linkshelf.lft", true, NoSourceFolderText()},
        {"a source folder that is not there", "Gone", "program/Linkshelf.lft", false,
         SourceFolderUnusable(tree.Path("Gone"), SystemReason(ENOENT)).Text()},
        {"a source that is a file", "Fav/a.url", "program/Linkshelf.lft", false,
         SourceFolderUnusable(tree.Path("Fav/a.url"), SystemReason(ENOTDIR)).Text()},
        {"a missing template", "Fav", "program/gone.lft", false,
         TemplateUnusable(missing, std::strerror(ENOENT)).Text()},
        {"an empty template", "Fav", "program/empty.lft", false,
         TemplateUnusable(empty, EmptyFileReason()).Text()},
    };
    tree.Shortcut("Fav/a.url", "https://a/");
    tree.Write("program/empty.lft", "");
    for (const Case& c : cases) {
        desktop.events.clear();
        tree.Write("Desktop/Linkpage.htm", "old page");
        record.sourceFolder = std::string(c.source).find_first_not_of(' ') == std::string::npos
                                  ? c.source
                                  : tree.Path(c.source);
        globals.TemplatePath = tree.Path(c.templateFile);
        globals.Unattended = c.unattended;
        EXPECT_EQ(Generate(), GenerationRun::Outcome::NotWritten) << c.name;
        ASSERT_GE(desktop.events.size(), 3u) << c.name;
        EXPECT_EQ(desktop.events.at(1), "error:Linkshelf:" + c.problem) << c.name;
        EXPECT_EQ(desktop.events.at(2), "result:" + c.problem) << c.name;
        EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "old page") << c.name;
        EXPECT_EQ(tree.Read("program/Linkshelf.lfs"), "") << c.name << ": settings not saved";
    }
}

TEST_F(Run, ASettingsFileThatCannotBeSavedIsShownWithTheReason) {
    tree.Shortcut("Fav/a.url", "https://a/");
    tree.Folder("program/Linkshelf.lfs");
    EXPECT_EQ(Generate(), GenerationRun::Outcome::Written);
    EXPECT_EQ(desktop.events.back(), std::string("error:Linkshelf:正保存文件 \"") +
                                         globals.SettingsPath + "\" 时出现一个错误！\r\n" +
                                         std::strerror(EISDIR));
}

TEST_F(Run, UnattendedShowsNoProgressAndGivesNoBeep) {
    tree.Shortcut("Fav/a.url", "https://a/");
    globals.Unattended = true;
    Generate();
    EXPECT_EQ(desktop.events.size(), 4u);
    EXPECT_EQ(desktop.events.at(0), "busy");
    EXPECT_EQ(desktop.events.at(2), "idle");
    EXPECT_EQ(desktop.events.at(3), "events");
}

// Stands for an error such as exhausted memory while the page is built.
class FailingView : public RecordingView {
public:
    using RecordingView::RecordingView;
    void Build(const std::function<void()>&) override { throw std::runtime_error("boom"); }
};

TEST_F(Run, AnErrorWhileBuildingStillHidesTheProgressAndStopsTheRun) {
    tree.Shortcut("Fav/a.url", "https://a/");
    FailingView failing(desktop.events);
    GenerationRun run(record, globals);
    EXPECT_EQ(run.Run(failing), GenerationRun::Outcome::NotWritten);
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"busy", "progress", "no progress", "idle", "beep",
                                        "error:Linkshelf:Linkshelf 生成页面时出错：boom"}));
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "");
    EXPECT_EQ(tree.Read("program/Linkshelf.lfs"), "") << "settings are not saved";
}

TEST_F(Run, OnlyTheDefaultSettingsFileIsRewritten) {
    tree.Shortcut("Fav/a.url", "https://a/");
    globals.SettingsPath = tree.Path("mine.lfs");
    tree.Write("mine.lfs", "[Options]\r\n");
    Generate();
    EXPECT_EQ(tree.Read("mine.lfs"), "[Options]\r\n");
    EXPECT_EQ(tree.Read("program/Linkshelf.lfs"), "");
}

} // namespace
