// SPDX-License-Identifier: GPL-3.0-or-later
#include "refresh/RefreshPlanner.h"

#include "TempTree.h"
#include "generation/RunTexts.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

// A home folder with a Firefox profile, a folder of shortcuts holding its import, a subfolder
// of the user's own, an ignored one and an import's work folder; and a tree wider than the
// manager watches.
class RefreshPlanning : public testing::Test {
protected:
    RefreshPlanning() : home_(qgetenv("HOME")), configHome_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
        qunsetenv("XDG_CONFIG_HOME");
        tree.Write("home/.mozilla/firefox/profiles.ini",
                   "[Profile0]\nPath=p.default\nIsRelative=1\nDefault=1\n");
        tree.Write("home/.mozilla/firefox/p.default/places.sqlite", "");
        tree.Shortcut("home/Fav/a.url", "https://a.example/");
        tree.Shortcut("home/Fav/Sub/b.url", "https://b.example/");
        tree.Shortcut("home/Fav/Firefox/c.url", "https://c.example/");
        tree.Shortcut("home/Fav/Skip/d.url", "https://d.example/");
        tree.Folder("home/Fav/.linkshelf-import-1");
        tree.Folder("home/Chromium");
        for (char name = 'a'; name <= 't'; ++name)
            tree.Folder(std::string("home/Wide/") + name);
        tree.Folder("home/Desktop");
        globals.DesktopFolder = tree.Path("home/Desktop/");
        globals.SettingsPath = tree.Path("config/Linkshelf.lfs");
        globals.IgnoreList = {" skip ", ""};
    }
    ~RefreshPlanning() override {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", configHome_);
    }

    TempTree tree;
    Globals globals;

private:
    QByteArray home_;
    QByteArray configHome_;
};

TEST_F(RefreshPlanning, PlansTheImportAndWhatToWatchOrRefusesARefreshThatCannotWork) {
    const std::string fav = tree.Path("home/Fav");
    const std::string places = tree.Path("home/.mozilla/firefox/p.default/places.sqlite");
    struct Case {
        const char* name;
        std::string sourceFolder;
        std::string outputFile;
        bool onChange;
        std::string settingsPath;
        std::string refusal; // a part of the reason; empty when the plan is made
        std::optional<std::string> importTarget;
        std::vector<std::string> watched;
    };
    const Case cases[] = {
        {"a folder, on a schedule", fav + "/", "", false, "", "", std::nullopt, {}},
        {"a folder and its own subfolders, on change",
         fav,
         "",
         true,
         "",
         "",
         std::nullopt,
         {fav, fav + "/Firefox", fav + "/Sub"}},
        {"a folder named from the home folder",
         "Fav",
         "",
         true,
         "",
         "",
         std::nullopt,
         {fav, fav + "/Firefox", fav + "/Sub"}},
        {"Firefox's import: imported again, its database watched",
         fav + "/Firefox",
         "",
         true,
         "",
         "",
         fav,
         {places}},
        {"a browser's name, but no such browser here",
         tree.Path("home/Chromium"),
         "",
         true,
         "",
         "",
         std::nullopt,
         {tree.Path("home/Chromium")}},
        {"the page in the watched folder",
         fav,
         fav + "/page.htm",
         true,
         "",
         "page.htm",
         std::nullopt,
         {}},
        {"the page there, but nothing watched",
         fav,
         fav + "/page.htm",
         false,
         "",
         "",
         std::nullopt,
         {}},
        {"the page in an ignored subfolder",
         fav,
         fav + "/Skip/page.htm",
         true,
         "",
         "",
         std::nullopt,
         {fav, fav + "/Firefox", fav + "/Sub"}},
        {"the settings file in a watched subfolder",
         fav,
         "",
         true,
         fav + "/Sub/Linkshelf.lfs",
         "Linkshelf.lfs",
         std::nullopt,
         {}},
        {"no folder of shortcuts", " ", "", false, "", NoSourceFolderText(), std::nullopt, {}},
        {"a folder that is not there",
         fav + "/Gone",
         "",
         false,
         "",
         fav + "/Gone",
         std::nullopt,
         {}},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.sourceFolder = c.sourceFolder;
        settings.outputFile = c.outputFile;
        settings.includeSubfolders = true;
        Globals used = globals;
        if (!c.settingsPath.empty())
            used.SettingsPath = c.settingsPath;
        RefreshPlan plan;
        plan.onChange = c.onChange;
        const Result result = RefreshPlanner::Complete(plan, settings, used);
        if (!c.refusal.empty()) {
            ASSERT_FALSE(result) << c.name;
            EXPECT_NE(result.failure().Text().find(c.refusal), std::string::npos)
                << c.name << ": " << result.failure().Text();
            continue;
        }
        ASSERT_TRUE(result) << c.name << ": " << result.failure().Text();
        EXPECT_EQ(plan.import ? std::optional(plan.import->target) : std::nullopt, c.importTarget)
            << c.name;
        if (plan.import) {
            EXPECT_EQ(plan.import->browser, "firefox") << c.name;
            EXPECT_EQ(plan.import->bookmarks, places) << c.name;
        }
        EXPECT_EQ(plan.watched, c.watched) << c.name;
        EXPECT_EQ(plan.pagePath,
                  c.outputFile.empty() ? tree.Path("home/Desktop/Linkpage.htm") : c.outputFile)
            << c.name;
    }
}

TEST_F(RefreshPlanning, WatchesNoMoreThanTheManagerCanKeep) {
    Settings settings;
    settings.sourceFolder = tree.Path("home/Wide");
    settings.includeSubfolders = true;
    RefreshPlan plan;
    plan.onChange = true;
    ASSERT_TRUE(RefreshPlanner::Complete(plan, settings, globals));
    ASSERT_EQ(plan.watched.size(), RefreshPlanner::MostWatched);
    EXPECT_EQ(plan.watched[0], tree.Path("home/Wide"));
    EXPECT_EQ(plan.watched[1], tree.Path("home/Wide/a"));

    settings.includeSubfolders = false;
    ASSERT_TRUE(RefreshPlanner::Complete(plan, settings, globals));
    EXPECT_EQ(plan.watched, std::vector<std::string>{tree.Path("home/Wide")});
}

TEST_F(RefreshPlanning, AFolderTheSettingsFileNamesButThatIsGoneIsRefused) {
    tree.Write("other.lfs", "[Options]\r\nSourceFolder=" + tree.Path("stick/Links") + "\r\n");
    RefreshPlan plan;
    const Result result = RefreshPlanner::Complete(plan, tree.Path("other.lfs"), globals);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure().path, tree.Path("stick/Links"));
}

} // namespace
