// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include "InstalledLayout.h"
#include "SettingsFixture.h"
#include "TempTree.h"
#include "settings/FactoryDefaults.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

class SettingsFile : public SettingsFixture {
protected:
    // Reads a settings file holding the section line and the given lines.
    Settings ReadLines(const std::string& lines) {
        tree.Write("s.lfs", "[Options]\r\n" + lines);
        Settings record;
        EXPECT_TRUE(ReadSettings(tree.Path("s.lfs"), record, globals));
        return record;
    }
};

TEST_F(SettingsFile, AMissingFileReadsAsTheDefaults) {
    Settings record;
    globals.IgnoreList = {"stale"};
    ASSERT_TRUE(ReadSettings(tree.Path("none.lfs"), record, globals));
    EXPECT_EQ(globals.SettingsPath, tree.Path("none.lfs"));
    EXPECT_TRUE(globals.IgnoreList.empty());
    EXPECT_EQ(record.sourceFolder, globals.FavoritesFolder);
    EXPECT_TRUE(record.includeSubfolders);
    EXPECT_EQ(record.outputFile, globals.DesktopFolder + "Linkpage.htm");
    EXPECT_EQ(globals.TemplatePath, tree.Path("program/Linkshelf.lft"));
    EXPECT_EQ(record.pageTitle, "My Favorite Links");
    EXPECT_EQ(record.pageFont, "Arial");
    EXPECT_FALSE(record.showUrl);
    EXPECT_EQ(record.textColor, 0);
    EXPECT_EQ(record.linkColor, 0xFF0000);
    EXPECT_EQ(record.visitedLinkColor, 0x800080);
    EXPECT_EQ(record.backColor, 0xFFFFFF);
    EXPECT_FALSE(record.launchBrowser);
}

TEST_F(SettingsFile, ValuesFollowTheIntegerAndBooleanRules) {
    struct Case {
        std::string line;
        std::function<std::int64_t(const Settings&)> read;
        std::int64_t expected;
    };
    const auto showUrl = [](const Settings& r) { return r.showUrl ? 1 : 0; };
    const auto subfolders = [](const Settings& r) { return r.includeSubfolders ? 1 : 0; };
    const auto link = [](const Settings& r) { return r.linkColor; };
    const auto back = [](const Settings& r) { return r.backColor; };
    const Case cases[] = {
        {"ShowURL=2", showUrl, 1},
        {"ShowURL=-1", showUrl, 1},
        {"ShowURL=0", showUrl, 0},
        {"ShowURL=yes", showUrl, 0},
        {"IncludeSubfolders=false", subfolders, 1},
        {"IncludeSubfolders=0", subfolders, 0},
        {"IncludeSubfolders=", subfolders, 1},
        {"LinkColor=0xFF", link, 255},
        {"LinkColor=0XfF", link, 255},
        {"LinkColor=$FF", link, 255},
        {"LinkColor=xff", link, 255},
        {"LinkColor=Xff", link, 255},
        {"LinkColor=255", link, 255},
        {"LinkColor=+255", link, 255},
        {"LinkColor=-255", link, -255},
        {"LinkColor=blue", link, 0xFF0000},
        {"LinkColor=255x", link, 0xFF0000},
        {"LinkColor=0x", link, 0xFF0000},
        {"LinkColor=$123456789", link, 0xFF0000},
        {"LinkColor=2147483647", link, 2147483647},
        {"LinkColor=2147483648", link, 0xFF0000},
        {"LinkColor=-2147483648", link, -2147483648LL},
        {"LinkColor=-2147483649", link, 0xFF0000},
        {"LinkColor=-$FF", link, 0xFF0000},
        {"BackColor=0xFFFFFFFF", back, -1},
        {"BackColor=$80000005", back, static_cast<std::int32_t>(0x80000005u)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.read(ReadLines(c.line + "\r\n")), c.expected) << c.line;
}

TEST_F(SettingsFile, TextValuesFallBackAsTheirKeysSay) {
    EXPECT_EQ(ReadLines("PageTitle=\r\n").pageTitle, "");
    EXPECT_EQ(ReadLines("PageTitle= 我的 & 你的 \r\n").pageTitle, "我的 & 你的");
    EXPECT_EQ(ReadLines("SourceFolder=\r\n").sourceFolder, globals.FavoritesFolder);
    EXPECT_EQ(ReadLines("SourceFolder=/no/such/folder\r\n").sourceFolder, globals.FavoritesFolder);
    EXPECT_EQ(ReadLines("SourceFolder=" + tree.Path("Desktop") + "\r\n").sourceFolder,
              globals.FavoritesFolder);
    tree.Folder("Desktop");
    EXPECT_EQ(ReadLines("SourceFolder=" + tree.Path("Desktop") + "\r\n").sourceFolder,
              tree.Path("Desktop"));

    ReadLines("TemplateFile=\r\n");
    EXPECT_EQ(globals.TemplatePath, globals.DefaultTemplatePath());
    ReadLines("TemplateFile=my.lft\r\n");
    EXPECT_EQ(globals.TemplatePath, globals.DefaultTemplatePath());
    tree.Write("program/my.lft", "mine");
    ReadLines("TemplateFile=my.lft\r\n");
    EXPECT_EQ(globals.TemplatePath, tree.Path("program/my.lft"));
    ReadLines("TemplateFile=sub/my.lft\r\n");
    EXPECT_EQ(globals.TemplatePath, globals.DefaultTemplatePath());

    const std::string longValue(3000, 'x');
    EXPECT_EQ(ReadLines("PageTitle=" + longValue + "\r\n").pageTitle, longValue);

    ReadLines("IgnoreFolders=;Old;;Temp;\r\n");
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"", "Old", "", "Temp"}));
}

TEST_F(SettingsFile, RefusesANameWithoutTheSettingsExtension) {
    tree.Write("s.ini", "[Options]\r\nPageTitle=from ini\r\n");
    tree.Write("S.LFS", "[Options]\r\nPageTitle=capitals\r\n");
    Settings record;
    globals.IgnoreList = {"Old"};
    globals.SettingsPath = tree.Path("current.lfs");
    EXPECT_FALSE(ReadSettings(tree.Path("s.ini"), record, globals));
    EXPECT_EQ(globals.SettingsPath, tree.Path("current.lfs")) << "a refused file changes nothing";
    EXPECT_EQ(globals.IgnoreList, std::vector<std::string>{"Old"});
    EXPECT_EQ(record.pageTitle, Settings().pageTitle);
    EXPECT_FALSE(ReadSettings(tree.Path("lfs"), record, globals));
    EXPECT_FALSE(ReadSettings(tree.Path("dir.lfs/name"), record, globals));
    EXPECT_TRUE(ReadSettings(tree.Path("S.LFS"), record, globals));
    EXPECT_EQ(record.pageTitle, "capitals");
}

TEST_F(SettingsFile, ANewFileHoldsTheFourteenKeysInOrder) {
    Settings record;
    ApplyFactoryDefaults(record, globals);
    globals.IgnoreList = {"Old", "Temp"};
    ASSERT_TRUE(WriteSettings(tree.Path("new.lfs"), record, globals));
    EXPECT_EQ(tree.Read("new.lfs"), "[Options]\r\n"
                                    "SourceFolder=" +
                                        globals.FavoritesFolder +
                                        "\r\n"
                                        "IgnoreFolders=Old;Temp\r\n"
                                        "IncludeSubfolders=1\r\n"
                                        "OutputFile=" +
                                        globals.DesktopFolder +
                                        "Linkpage.htm\r\n"
                                        "TemplateFile=" +
                                        tree.Path("program/") +
                                        "Linkshelf.lft\r\n"
                                        "PageTitle=My Favorite Links\r\n"
                                        "PageFont=Arial\r\n"
                                        "ShowURL=0\r\n"
                                        "ShowIcons=1\r\n"
                                        "TextColor=0\r\n"
                                        "LinkColor=16711680\r\n"
                                        "VLinkColor=8388736\r\n"
                                        "BackColor=16777215\r\n"
                                        "LaunchBrowser=1\r\n");
}

TEST_F(SettingsFile, AnInstalledProgramNamesATemplateItsFoldersFindByItsBareName) {
    const ProgramLayout installed = InstalledWithUserAndSystemTemplates(tree);
    struct Case {
        const char* name;
        ProgramLayout layout;
        std::string templatePath;
        std::string written;
    };
    const Case cases[] = {
        {"shipped", installed, tree.Path("system/Linkshelf.lft"), "Linkshelf.lft"},
        {"user's", installed, tree.Path("user/mine.lft"), "mine.lft"},
        {"hidden by the user's", installed, tree.Path("system/mine.lft"),
         tree.Path("system/mine.lft")},
        {"elsewhere", installed, tree.Path("program/Linkshelf.lft"),
         tree.Path("program/Linkshelf.lft")},
        {"portable", globals.Layout, tree.Path("program/Linkshelf.lft"),
         tree.Path("program/Linkshelf.lft")},
    };
    for (const Case& c : cases) {
        globals.Layout = c.layout;
        globals.TemplatePath = c.templatePath;
        ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), Settings(), globals));
        EXPECT_NE(tree.Read("s.lfs").find("\nTemplateFile=" + c.written + "\r\n"),
                  std::string::npos)
            << c.name;
        Settings record;
        ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), record, globals)) << c.name;
        EXPECT_EQ(globals.TemplatePath, c.templatePath) << c.name << ": read back";
    }
}

TEST_F(SettingsFile, WritingKeepsUnknownKeysAndSectionsAndReadsBackTheSameValues) {
    tree.Write("s.lfs", "; my settings\n[Extra]\nKeep=me\n[options]\nPageTitle=old\n"
                        "Custom=kept\n");
    Settings written;
    written.pageTitle = "  padded  ";
    written.textColor = SystemColor(SystemColorIndex::WindowText);
    written.showUrl = true;
    globals.IgnoreList = {"a b", "新闻"};
    ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), written, globals));
    const std::string text = tree.Read("s.lfs");
    EXPECT_EQ(text.rfind("; my settings\n[Extra]\nKeep=me\n[options]\nPageTitle=padded\n", 0), 0u);
    EXPECT_NE(text.find("Custom=kept\nSourceFolder="), std::string::npos);
    EXPECT_NE(text.find("TextColor=-2147483640\n"), std::string::npos);

    Settings read;
    ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), read, globals));
    EXPECT_EQ(read.pageTitle, "padded");
    EXPECT_EQ(read.textColor, written.textColor);
    EXPECT_TRUE(read.showUrl);
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"a b", "新闻"}));
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFile) {
    Settings record;
    EXPECT_FALSE(WriteSettings(tree.Path("missing/s.lfs"), record, globals));
    globals.IgnoreList = {"line\nbreak"};
    tree.Write("s.lfs", "[Options]\r\nPageTitle=old\r\n");
    EXPECT_FALSE(WriteSettings(tree.Path("s.lfs"), record, globals));
    EXPECT_EQ(tree.Read("s.lfs"), "[Options]\r\nPageTitle=old\r\n");
}

TEST_F(SettingsFile, AMissingFolderOrTemplateIsShownAsTheFallbackButSavedAsTheUsersOwn) {
    const std::string stick = tree.Path("usb/");
    tree.Write("s.lfs", "[Options]\r\nSourceFolder=" + stick + "links\r\nTemplateFile=" + stick +
                            "my.lft\r\n");
    Settings record;
    ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), record, globals));
    EXPECT_EQ(record.sourceFolder, globals.FavoritesFolder);
    EXPECT_EQ(globals.TemplatePath, globals.DefaultTemplatePath());
    ASSERT_TRUE(globals.UnusableSourceFolder && globals.UnusableTemplate);
    EXPECT_EQ(globals.UnusableSourceFolder->cause, SystemReason(ENOENT));
    EXPECT_EQ(globals.UnusableTemplate->path, stick + "my.lft");

    ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), record, globals));
    std::string text = tree.Read("s.lfs");
    EXPECT_NE(text.find("SourceFolder=" + stick + "links\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("TemplateFile=" + stick + "my.lft\r\n"), std::string::npos) << text;

    record.sourceFolder = tree.Path("chosen");
    ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), record, globals));
    text = tree.Read("s.lfs");
    EXPECT_NE(text.find("SourceFolder=" + tree.Path("chosen") + "\r\n"), std::string::npos)
        << "a value the user changed is saved";

    ApplyFactoryDefaults(record, globals);
    EXPECT_FALSE(globals.UnusableSourceFolder || globals.UnusableTemplate);
}

TEST_F(SettingsFile, OnlyTheDefaultSettingsFileIsSavedAfterARun) {
    Settings record;
    tree.Folder("program");
    globals.SettingsPath = tree.Path("other.lfs");
    EXPECT_TRUE(SaveSettingsIfDefault(record, globals));
    EXPECT_EQ(tree.Read("other.lfs"), "");

    globals.SettingsPath = tree.Path("PROGRAM/linkshelf.LFS");
    EXPECT_FALSE(SaveSettingsIfDefault(record, globals)) << "there is no folder PROGRAM";
    EXPECT_EQ(tree.Read("program/Linkshelf.lfs"), "") << "only letters of the name fold";

    globals.SettingsPath = tree.Path("program/LINKSHELF.lfs");
    EXPECT_TRUE(SaveSettingsIfDefault(record, globals));
    EXPECT_NE(tree.Read("program/LINKSHELF.lfs").find("PageTitle="), std::string::npos);
}

TEST(FactoryDefaults, RestoreEverySettingButTheIgnoredFolders) {
    Globals globals;
    globals.Layout = ProgramLayout::Portable("/opt/linkshelf/");
    globals.SettingsPath = "/elsewhere/x.lfs";
    globals.IgnoreList = {"Old", "", "Temp"};
    Settings record;
    record.launchBrowser = false;
    ApplyFactoryDefaults(record, globals);
    EXPECT_EQ(record.outputFile, "Linkpage.htm");
    EXPECT_EQ(record.sourceFolder, "");
    EXPECT_TRUE(record.launchBrowser);
    EXPECT_EQ(record.textColor, 0);
    EXPECT_EQ(record.pageTitle, "My Favorite Links");
    EXPECT_EQ(globals.SettingsPath, "/opt/linkshelf/Linkshelf.lfs");
    EXPECT_EQ(globals.TemplatePath, "/opt/linkshelf/Linkshelf.lft");
    EXPECT_EQ(JoinIgnoreList(globals.IgnoreList), "Old;;Temp");
    EXPECT_EQ(JoinIgnoreList({}), "");
    EXPECT_EQ(JoinIgnoreList({"one"}), "one");
}

} // namespace
