#include "CommandLine.h"
#include "ShellFolders.h"
#include "TempTree.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ChoosesTheSettingsFileAndTheMode) {
    TempTree tree;
    tree.Write("x.lfs", "");
    tree.Write("notes.txt", "");
    const std::string file = tree.Path("x.lfs");
    const std::string folder = tree.Root();
    const std::string standard = "/opt/linkshelf/Linkshelf.lfs";
    struct Case {
        std::vector<std::string> arguments;
        std::string settingsPath;
        bool unattended;
    };
    const Case cases[] = {
        {{}, standard, false},
        {{file, "/RUN"}, file, true},
        {{"/RUN", file}, standard, true},
        {{"-run"}, standard, true},
        {{"/Run"}, standard, true},
        {{"RUN"}, standard, false},
        {{"--run"}, standard, false},
        {{"/RUNNING"}, standard, false},
        {{tree.Path("missing.lfs")}, standard, false},
        {{folder}, standard, false},
        {{folder, "x", "-RuN"}, standard, true},
        {{tree.Path("notes.txt")}, tree.Path("notes.txt"), true},
    };
    for (const auto& c : cases) {
        const CommandLine line = CommandLine::Parse(c.arguments, standard);
        EXPECT_EQ(line.settingsPath, c.settingsPath);
        EXPECT_EQ(line.unattended, c.unattended);
    }
}

TEST(ShellFolders, ComeFromTheUserDirsFile) {
    TempTree home;
    const std::string root = home.Root().substr(0, home.Root().size() - 1);
    ShellFolders folders = ShellFolders::FromUserDirs(
        root, "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n"
              "XDG_FAVORITES_DIR=\"/data/Favs\"\n");
    EXPECT_EQ(folders.desktop, root + "/桌面");
    EXPECT_EQ(folders.favorites, "/data/Favs");

    folders = ShellFolders::FromUserDirs(root, "");
    EXPECT_EQ(folders.desktop, root + "/Desktop");
    EXPECT_EQ(folders.favorites, "");
    home.Folder("Favorites");
    EXPECT_EQ(ShellFolders::FromUserDirs(root, "").favorites, root + "/Favorites");
}

} // namespace
