// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramLayout.h"

#include "InstalledLayout.h"
#include "TempTree.h"
#include "platform/UserFolders.h"

#include <QByteArray>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

using Folders = std::vector<std::string>;

TEST(ProgramLayout, AnInstalledProgramTakesItsFoldersFromTheEnvironment) {
    struct Case {
        const char* name;
        std::string programFolder;
        ProgramLayout::Environment environment;
        std::string settingsFolder;
        Folders dataFolders;
    };
    const Case cases[] = {
        {"home only",
         "/usr/bin/",
         {"/home/u", "", "", ""},
         "/home/u/.config/linkshelf/",
         {"/home/u/.local/share/linkshelf/", "/usr/local/share/linkshelf/", "/usr/share/linkshelf/",
          "/usr/bin/"}},
        {"variables set",
         "/usr/bin/",
         {"/home/u", "/cfg/", "/data", "/a:/b/"},
         "/cfg/linkshelf/",
         {"/data/linkshelf/", "/a/linkshelf/", "/b/linkshelf/", "/usr/share/linkshelf/",
          "/usr/bin/"}},
        {"relative values ignored",
         "/usr/bin/",
         {"/home/u", "cfg", "data", "rel::/x"},
         "/home/u/.config/linkshelf/",
         {"/home/u/.local/share/linkshelf/", "/x/linkshelf/", "/usr/share/linkshelf/",
          "/usr/bin/"}},
        {"own prefix",
         "/opt/ls/bin/",
         {"/home/u", "", "", "/usr/share"},
         "/home/u/.config/linkshelf/",
         {"/home/u/.local/share/linkshelf/", "/usr/share/linkshelf/", "/opt/ls/share/linkshelf/",
          "/opt/ls/bin/"}},
        {"read-only unpacked folder",
         "/opt/ls/",
         {"/home/u", "", "", "/usr/share"},
         "/home/u/.config/linkshelf/",
         {"/home/u/.local/share/linkshelf/", "/usr/share/linkshelf/", "/opt/ls/"}},
    };
    for (const Case& c : cases) {
        const ProgramLayout layout = ProgramLayout::Installed(c.programFolder, c.environment);
        EXPECT_EQ(layout.kind, ProgramLayout::Kind::Installed) << c.name;
        EXPECT_EQ(layout.settingsFolder, c.settingsFolder) << c.name;
        EXPECT_EQ(layout.dataFolders, c.dataFolders) << c.name;
    }
}

// A relative or empty value would name a folder under the one the program was started in.
TEST(UserFolders, AreAbsoluteWhateverTheEnvironmentHolds) {
    const std::string account = getpwuid(getuid())->pw_dir;
    struct Row {
        const char* name;
        const char* home;
        const char* configHome;
        std::string expected;
    };
    const Row rows[]{
        {"both set", "/home/u", "/etc/u", "/etc/u"},
        {"no XDG value", "/home/u", nullptr, "/home/u/.config"},
        {"an empty XDG value", "/home/u", "", "/home/u/.config"},
        {"a relative XDG value", "/home/u", "config", "/home/u/.config"},
        {"a relative home", "home", nullptr, account + "/.config"},
        {"no home", nullptr, nullptr, account + "/.config"},
    };
    const QByteArray home = qgetenv("HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const auto put = [](const char* name, const char* value) {
        if (value == nullptr)
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        put("HOME", row.home);
        put("XDG_CONFIG_HOME", row.configHome);
        EXPECT_EQ(UserFolders::Base("XDG_CONFIG_HOME", ".config"), row.expected);
    }
    qputenv("HOME", home);
    put("XDG_CONFIG_HOME", configHome.isNull() ? nullptr : configHome.constData());
}

TEST(ProgramLayout, IsPortableOnlyBesideItsTemplate) {
    TempTree tree;
    tree.Write("unpacked/Linkshelf.lft", "template");
    tree.Write("bin/linkshelf", "");
    EXPECT_EQ(ProgramLayout::Choose(tree.Path("unpacked/")),
              ProgramLayout::Portable(tree.Path("unpacked/")));
    EXPECT_EQ(ProgramLayout::Choose(tree.Path("bin/")).kind, ProgramLayout::Kind::Installed);
}

TEST(ProgramLayout, FindsAShippedFileInTheFirstFolderThatHoldsIt) {
    TempTree tree;
    const ProgramLayout layout = InstalledWithUserAndSystemTemplates(tree);
    struct Case {
        const char* name;
        std::string file;
        std::string path;
    };
    const Case cases[] = {
        {"only shipped", "Linkshelf.lft", tree.Path("system/Linkshelf.lft")},
        {"user's wins", "mine.lft", tree.Path("user/mine.lft")},
        {"nowhere: where a user would put it", "none.lft", tree.Path("user/none.lft")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layout.DataFile(c.file), c.path) << c.name;
}

TEST(ProgramLayout, MakesTheSettingsFolderWithTheFoldersAboveIt) {
    TempTree tree;
    const ProgramLayout layout{
        ProgramLayout::Kind::Installed, tree.Path("home/.config/linkshelf/"), {}};
    EXPECT_TRUE(layout.MakeSettingsFolder());
    EXPECT_TRUE(std::filesystem::is_directory(layout.settingsFolder));
    EXPECT_TRUE(layout.MakeSettingsFolder()) << "an existing folder is fine";
    tree.Write("file", "");
    EXPECT_FALSE((ProgramLayout{ProgramLayout::Kind::Installed, tree.Path("file/sub/"), {}})
                     .MakeSettingsFolder());
}

} // namespace
