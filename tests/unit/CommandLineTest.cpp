// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "TempTree.h"
#include "app/PageCommand.h"
#include "desktop/DesktopApplication.h"
#include "import/BrowserProfiles.h"
#include "platform/ShellFolders.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ChoosesTheSettingsFileAndTheMode) {
    TempTree tree;
    tree.Write("x.lfs", "");
    tree.Write("notes.txt", "");
    tree.Folder("folder.lfs");
    const std::string file = tree.Path("x.lfs");
    const std::string& folder = tree.Root();
    const std::string missing = tree.Path("missing.LFS");
    const std::string notes = tree.Path("notes.txt");
    const std::string standard = "/opt/linkshelf/Linkshelf.lfs";
    using Mode = PageCommand::Mode;
    using enum SettingsSource;
    struct Case {
        std::vector<std::string> arguments;
        std::string settingsPath;
        SettingsSource source;
        Mode mode;
    };
    const Case cases[] = {
        {{}, standard, Default, Mode::Wizard},
        {{file, "/RUN"}, file, CommandLine, Mode::Unattended},
        {{"/RUN", file}, standard, Default, Mode::Unattended},
        {{"-run"}, standard, Default, Mode::Unattended},
        {{"/Run"}, standard, Default, Mode::Unattended},
        {{"RUN"}, standard, Default, Mode::Wizard},
        {{"/RUNNING"}, standard, Default, Mode::Wizard},
        {{folder}, standard, Default, Mode::Wizard},
        {{folder, "x", "-RuN"}, standard, Default, Mode::Unattended},
        {{notes}, notes, CommandLine, Mode::Unattended},
        {{notes, "-RUN"}, notes, CommandLine, Mode::Unattended},
        {{tree.Path("missing.txt")}, standard, Default, Mode::Wizard},
        {{missing}, missing, CommandLine, Mode::Unattended},
        {{missing, "-RUN"}, missing, CommandLine, Mode::Unattended},
        {{tree.Path("folder.lfs")}, tree.Path("folder.lfs"), CommandLine, Mode::Unattended},
        {{"-RUN", missing}, standard, Default, Mode::Unattended},
        {{"-help"}, standard, Default, Mode::Wizard},
    };
    for (const auto& c : cases) {
        const ResultOf<CommandLine::Parsed> parsed = CommandLine::Parse(c.arguments);
        const std::string row = ::testing::PrintToString(c.arguments);
        ASSERT_TRUE(parsed) << row;
        ASSERT_EQ(parsed->command->name, "") << row;
        const PageCommand::Request request =
            PageCommand::RequestOf(parsed->invocation.operands, standard);
        EXPECT_EQ(request.settingsPath, c.settingsPath) << row;
        EXPECT_EQ(request.source, c.source) << row;
        EXPECT_EQ(request.mode, c.mode) << row;
    }
}

TEST(CommandLine, PicksOneRowOfTheTableOrRefusesWithTheUsageLine) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        // The row's name, or the start of the refusal.
        std::string command;
        std::string refusal;
    };
    const Case cases[] = {
        {"help anywhere", {"x.lfs", "-h"}, "--help", ""},
        {"help before version", {"--version", "--help"}, "--help", ""},
        {"version", {"--version", "-RUN"}, "--version", ""},
        {"help after a command", {"--check", "--help"}, "--help", ""},
        {"import", {"--import", "firefox", "/tmp/f"}, "--import", ""},
        {"check with its options",
         {"--check", "a.lfs", "--json", "--max-age", "1d"},
         "--check",
         ""},
        {"check with a joined value", {"--check", "--max-age=1d"}, "--check", ""},
        {"refresh", {"--refresh", "daily", "on-change"}, "--refresh", ""},
        {"an empty value", {"--check", "a.lfs", "--max-age", ""}, "--check", ""},
        {"an empty argument", {"x.lfs", ""}, "", ""},
        {"misspelt command", {"--imprt", "firefox"}, "", "不认识的选项 \"--imprt\"。"},
        {"double-dash run", {"--run"}, "", "不认识的选项 \"--run\"。"},
        {"unknown option after a settings file",
         {"x.lfs", "--verbose"},
         "",
         "不认识的选项 \"--verbose\"。"},
        {"unknown option of a command",
         {"--check", "--verbose"},
         "",
         "不认识的选项 \"--verbose\"。"},
        {"a flag given a value", {"--check", "--json=1"}, "", "不认识的选项 \"--json=1\"。"},
        {"a command not first", {"x.lfs", "--check"}, "", "\"--check\" 只能是第一个参数。"},
        {"missing value", {"--check", "--max-age"}, "", "选项 \"--max-age\" 需要一个值。"},
        {"import without a source", {"--import"}, "", "\"--import\" 缺少参数。"},
        {"refresh without words", {"--refresh"}, "", "\"--refresh\" 缺少参数。"},
        {"two settings files", {"--check", "a.lfs", "b.lfs"}, "", "多余的参数 \"b.lfs\"。"},
    };
    for (const Case& c : cases) {
        const ResultOf<CommandLine::Parsed> parsed = CommandLine::Parse(c.arguments);
        if (c.refusal.empty()) {
            ASSERT_TRUE(parsed) << c.name << ": " << parsed.failure().Text();
            EXPECT_EQ(parsed->command->name, c.command) << c.name;
            continue;
        }
        ASSERT_FALSE(parsed) << c.name;
        const std::string text = parsed.failure().Text();
        EXPECT_TRUE(text.starts_with(c.refusal)) << c.name << ": " << text;
        EXPECT_NE(text.find("\r\n用法：linkshelf"), std::string::npos) << c.name << ": " << text;
    }
    const ResultOf<CommandLine::Parsed> check =
        CommandLine::Parse({"--check", "--max-age=2w", "--json", "a.lfs"});
    ASSERT_TRUE(check);
    EXPECT_EQ(check->invocation.Value("--max-age"), "2w");
    EXPECT_TRUE(check->invocation.Has("--json"));
    EXPECT_EQ(check->invocation.operands, std::vector<std::string>{"a.lfs"});
}

TEST(CommandLine, HelpListsEveryFormOfTheTableAndTheDefaultSettingsFile) {
    const std::string help = CommandLine::HelpText("/home/u/.config/linkshelf/Linkshelf.lfs");
    for (const CommandLine::Command& command : CommandLine::Commands())
        for (const UsageLine& line : command.usage)
            EXPECT_NE(help.find("\n  " + std::string(line.form)), std::string::npos) << line.form;
    for (const char* part : {"退出状态：", "  2  ", "/home/u/.config/linkshelf/Linkshelf.lfs\n"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
}

// A browser the import knows is one --help names.
TEST(CommandLine, HelpNamesEveryBrowserTheImportKnows) {
    const std::string help = CommandLine::HelpText("/home/u/.config/linkshelf/Linkshelf.lfs");
    for (const std::string& word : BrowserProfiles::Browsers())
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST(DesktopApplication, TriesThePlatformsOfTheNamedDisplaysThenOffscreen) {
    struct Case {
        const char* name{};
        DesktopApplication::Environment environment;
        const char* platforms{};
    };
    const Case cases[] = {
        {"X11", {"", "", false, true}, "xcb;offscreen"},
        {"Wayland socket only", {"", "", true, false}, "wayland;offscreen"},
        {"both, X11 session", {"", "x11", true, true}, "xcb;wayland;offscreen"},
        {"both, Wayland session", {"", "wayland", true, true}, "wayland;xcb;offscreen"},
        {"asked for", {"xcb", "wayland", true, true}, "xcb;offscreen"},
        {"none", {"", "", false, false}, "offscreen"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopApplication::PlatformList(c.environment), c.platforms) << c.name;
}

TEST(ShellFolders, ComeFromTheUserDirsFile) {
    TempTree home;
    const std::string root = home.Root().substr(0, home.Root().size() - 1);
    home.Folder("桌面");
    ShellFolders folders = ShellFolders::FromUserDirs(
        root, "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n"
              "XDG_FAVORITES_DIR=\"/data/Favs\"\n");
    EXPECT_EQ(folders.desktop, root + "/桌面");
    EXPECT_EQ(folders.favorites, "/data/Favs");

    folders = ShellFolders::FromUserDirs(root, "");
    EXPECT_EQ(folders.desktop, root) << "no Desktop folder: the home folder";
    EXPECT_EQ(folders.favorites, "");
    home.Folder("Desktop");
    EXPECT_EQ(ShellFolders::FromUserDirs(root, "").desktop, root + "/Desktop");
    home.Folder("Favorites");
    EXPECT_EQ(ShellFolders::FromUserDirs(root, "").favorites, root + "/Favorites");
}

} // namespace
