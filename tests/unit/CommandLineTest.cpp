// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "DesktopApplication.h"
#include "ShellFolders.h"
#include "TempTree.h"

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
    const std::string standard = "/opt/linkshelf/Linkshelf.lfs";
    using Mode = CommandLine::Mode;
    struct Case {
        std::vector<std::string> arguments;
        std::string settingsPath;
        Mode mode;
    };
    const Case cases[] = {
        {{}, standard, Mode::Wizard},
        {{file, "/RUN"}, file, Mode::Unattended},
        {{"/RUN", file}, standard, Mode::Unattended},
        {{"-run"}, standard, Mode::Unattended},
        {{"/Run"}, standard, Mode::Unattended},
        {{"RUN"}, standard, Mode::Wizard},
        {{"--run"}, standard, Mode::Wizard},
        {{"/RUNNING"}, standard, Mode::Wizard},
        {{folder}, standard, Mode::Wizard},
        {{folder, "x", "-RuN"}, standard, Mode::Unattended},
        {{tree.Path("notes.txt")}, tree.Path("notes.txt"), Mode::NotSettingsFile},
        {{tree.Path("notes.txt"), "-RUN"}, tree.Path("notes.txt"), Mode::NotSettingsFile},
        {{tree.Path("missing.txt")}, standard, Mode::Wizard},
        {{missing}, missing, Mode::MissingSettingsFile},
        {{missing, "-RUN"}, missing, Mode::MissingSettingsFile},
        {{tree.Path("folder.lfs")}, tree.Path("folder.lfs"), Mode::MissingSettingsFile},
        {{"-RUN", missing}, standard, Mode::Unattended},
        {{"--help"}, standard, Mode::Help},
        {{file, "-h"}, standard, Mode::Help},
        {{"--version", "--help"}, standard, Mode::Help},
        {{"--version", "-RUN"}, standard, Mode::Version},
        {{"-help"}, standard, Mode::Wizard},
    };
    for (const auto& c : cases) {
        const CommandLine line = CommandLine::Parse(c.arguments, standard);
        const std::string row = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.settingsPath, c.settingsPath) << row;
        EXPECT_EQ(line.mode, c.mode) << row;
    }
}

TEST(CommandLine, HelpNamesEveryFormAndTheDefaultSettingsFile) {
    const std::string help = CommandLine::HelpText("/home/u/.config/linkshelf/Linkshelf.lfs");
    for (const char* part :
         {"  linkshelf  ", "linkshelf 设置文件.lfs  ", "linkshelf -RUN  ", "--help, -h  ",
          "--version  ", "退出状态：", "  2  ", "/home/u/.config/linkshelf/Linkshelf.lfs\n"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
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
