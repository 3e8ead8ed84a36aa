// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FolderPicker.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A Favorites tree: Alpha, beta and Gamma/Deep, with a hidden folder and a shortcut file.
struct FavoritesTree {
    FavoritesTree() {
        for (const char* folder : {"Alpha", "beta", "Gamma/Deep", ".hidden"})
            fs::create_directories(fs::path(root) / folder);
        std::ofstream(root + "/Home.url") << "[InternetShortcut]\nURL=https://linkshelf.org/\n";
    }
    std::string Path(const std::string& relative) const { return root + "/" + relative; }

    QTemporaryDir temporary;
    std::string root = temporary.path().toStdString() + "/Fav";
};

template <typename T> T* Part(QWidget& dialog, const char* name) {
    return dialog.findChild<T*>(name);
}

QTreeWidgetItem* ItemNamed(QTreeWidget* tree, const char* name) {
    const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void ClickItem(QWidget& dialog, const char* name) {
    auto* tree = Part<QTreeWidget>(dialog, "folders");
    QTreeWidgetItem* item = ItemNamed(tree, name);
    ASSERT_NE(item, nullptr) << name;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void Click(QWidget& dialog, const char* name) {
    auto* button = Part<QAbstractButton>(dialog, name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs the picker and, once its dialog is up, the steps; a dialog the steps leave open is
// cancelled, so that a failed check cannot hang the test.
bool RunPicker(FolderPicker& picker, const std::function<void(QDialog&)>& steps) {
    const auto connection =
        QObject::connect(&picker, &FolderPicker::initialized, [steps](QWidget* window) {
            auto* dialog = static_cast<QDialog*>(window);
            QTimer::singleShot(0, dialog, [dialog, steps] {
                steps(*dialog);
                if (dialog->isVisible())
                    dialog->reject();
            });
        });
    const bool chosen = picker.Execute();
    QObject::disconnect(connection);
    return chosen;
}

std::string CurrentCaption(QWidget& dialog) {
    const QTreeWidgetItem* item = Part<QTreeWidget>(dialog, "folders")->currentItem();
    return item != nullptr ? item->text(0).toStdString() : std::string();
}

std::string StatusText(QWidget& dialog) {
    return Part<QLabel>(dialog, "status")->text().toStdString();
}

struct Picker {
    Picker() {
        picker.SetFolder(SpecialFolder::Favorites);
        picker.SetFavoritesFolder(tree.root + "/");
    }
    FavoritesTree tree;
    FolderPicker picker;
};

} // namespace

TEST(ShortenPath, KeepsTheFirstAndAsManyLastPartsAsFit) {
    struct Case {
        std::string path;
        char separator;
        std::string expected;
    };
    const std::string thirtyFive = "/home/user/Favorites/Links/Radio123"; // 35 characters
    const std::vector<Case> cases{
        {thirtyFive, '/', thirtyFive},
        {thirtyFive + "4", '/', "/.../user/Favorites/Links/Radio1234"},
        {R"(D:\Documents and Settings\Administrator\Favorites\Links)", '\\',
         R"(D:\...\Favorites\Links)"},
        {"D:\\VeryLongFolderNameThatExceedsTheLimit", '\\',
         "D:\\VeryLongFolderNameThatExceedsTheLimit"},
        {"/VeryLongFolderNameThatExceedsTheLimitOfTheStatusLine", '/',
         "/VeryLongFolderNameThatExceedsTheLimitOfTheStatusLine"},
        {"/home/AVeryLongFolderName/AnotherVeryLongFolderNameAtTheEnd", '/',
         "/.../AnotherVeryLongFolderNameAtTheEnd"},
        {"/home/user/收藏夹/链接/新闻/体育/足球/欧洲/英格兰/中", '/',
         "/home/user/收藏夹/链接/新闻/体育/足球/欧洲/英格兰/中"},
        {"/home/user/收藏夹/链接/新闻/体育/足球/欧洲/英格兰/中文", '/',
         "/.../user/收藏夹/链接/新闻/体育/足球/欧洲/英格兰/中文"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenPath(c.path, c.separator), c.expected) << c.path;
}

TEST(FolderPicker, StartsWithItsDefaults) {
    FolderPicker picker;
    EXPECT_EQ(picker.Flags(), BrowseOption::FoldersOnly | BrowseOption::StatusText);
    EXPECT_TRUE(picker.ShowFullPath());
    EXPECT_EQ(picker.Folder(), SpecialFolder::Desktop);
    EXPECT_FALSE(picker.CustomButtonVisible());
    EXPECT_TRUE(picker.CustomButtonEnabled());
    EXPECT_EQ(picker.CustomButtonCaption(), "包括子文件夹(&S)   ");
    EXPECT_EQ(picker.CustomButtonType(), CustomButtonKind::CheckBox);
    EXPECT_FALSE(picker.CustomButtonChecked());
    EXPECT_EQ(picker.CustomButtonWidth(), 75);
    EXPECT_FALSE(picker.SyncCustomButton());
}

TEST(FolderPicker, CustomButtonWidthOfZeroOrLessIsTheDefault) {
    for (const int width : {0, -5, 100}) {
        FolderPicker picker;
        picker.SetCustomButtonWidth(width);
        EXPECT_EQ(picker.CustomButtonWidth(), width > 0 ? width : 75) << width;
    }
}

TEST(FolderPicker, ExtraControlIsSizedForTheScreen) {
    struct Case {
        CustomButtonKind type;
        int width;
        int dpi;
        QRect expected;
    };
    const QRect ok(250, 300, 75, 23);
    const std::vector<Case> cases{
        {CustomButtonKind::CheckBox, 75, 96, {12, 300, 125, 23}},
        {CustomButtonKind::CheckBox, 75, 120, {15, 300, 156, 23}},
        {CustomButtonKind::CheckBox, 200, 144, {18, 300, 187, 23}},
        {CustomButtonKind::PushButton, 100, 96, {12, 300, 100, 23}},
        {CustomButtonKind::PushButton, 100, 120, {15, 300, 125, 23}},
    };
    for (const Case& c : cases) {
        FolderPicker picker;
        picker.SetCustomButtonType(c.type);
        picker.SetCustomButtonWidth(c.width);
        EXPECT_EQ(picker.CustomButtonRect(ok, c.dpi), c.expected) << c.dpi;
    }
}

TEST(FolderPicker, RootFollowsFolder) {
    Picker p;
    EXPECT_EQ(p.picker.RootFolder(), p.tree.root);
    p.picker.SetFavoritesFolder(p.tree.Path("missing"));
    EXPECT_EQ(p.picker.RootFolder(), QDir::homePath().toStdString());
    p.picker.SetFolder(SpecialFolder::Desktop);
    EXPECT_EQ(p.picker.RootFolder(), "/");
}

TEST(FolderPicker, TreeListsVisibleFoldersSorted) {
    Picker p;
    p.picker.SetTitle("选择包括您想使用的的链接的文件夹：");
    RunPicker(p.picker, [&p](QDialog& dialog) {
        auto* tree = Part<QTreeWidget>(dialog, "folders");
        // Favorites, with the way up to the home folder and the whole file system.
        ASSERT_EQ(tree->topLevelItemCount(), 3);
        EXPECT_EQ(tree->topLevelItem(1)->text(0), "主文件夹");
        EXPECT_EQ(tree->topLevelItem(2)->text(0), "文件系统");
        const QTreeWidgetItem* root = tree->topLevelItem(0);
        EXPECT_EQ(root->text(0), "Fav");
        EXPECT_TRUE(root->isExpanded());
        std::vector<std::string> children;
        children.reserve(root->childCount());
        for (int index = 0; index < root->childCount(); ++index)
            children.push_back(root->child(index)->text(0).toStdString());
        EXPECT_EQ(children, (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
        EXPECT_EQ(CurrentCaption(dialog), "Fav");
        EXPECT_EQ(StatusText(dialog), ShortenPath(p.tree.root));
        EXPECT_EQ(Part<QLabel>(dialog, "title")->text(), "选择包括您想使用的的链接的文件夹：");
        EXPECT_EQ(dialog.windowTitle(), "浏览文件夹");
    });
}

TEST(FolderPicker, PreselectionFindsTheNearestFolderInTheTree) {
    struct Case {
        std::string directory;
        std::string expected;
    };
    FavoritesTree tree;
    const std::vector<Case> cases{
        {tree.Path("Gamma/Deep/"), "Deep"},
        {tree.Path("Gamma/./Deep"), "Deep"},
        {tree.Path("Gamma/Gone/Deeper"), "Gamma"},
        {tree.root + "/", "Fav"},
        {"/somewhere/else", "文件系统"},
        {fs::path(tree.root).parent_path().string(),
         fs::path(tree.root).parent_path().filename().string()},
        {"", "Fav"},
    };
    for (const Case& c : cases) {
        FolderPicker picker;
        picker.SetFolder(SpecialFolder::Favorites);
        picker.SetFavoritesFolder(tree.root);
        picker.SetDirectory(c.directory);
        RunPicker(picker, [&c](QDialog& dialog) {
            EXPECT_EQ(CurrentCaption(dialog), c.expected) << c.directory;
        });
    }
}

// OK takes the selected folder and the check box; Cancel takes neither.
TEST(FolderPicker, OkTakesTheFolderAndTheCheckBox) {
    struct Case {
        const char* name;
        bool checkedBefore;
        bool toggle;
        const char* closeWith;
        bool expectedResult;
        bool expectedChecked;
    };
    const std::vector<Case> cases{
        {"ticked and confirmed", false, true, "okButton", true, true},
        {"ticked and cancelled", false, true, "cancelButton", false, false},
        {"unticked and cancelled", true, true, "cancelButton", false, true},
        {"unticked and confirmed", true, true, "okButton", true, false},
        {"left alone", true, false, "okButton", true, true},
    };
    for (const Case& c : cases) {
        Picker p;
        p.picker.SetCustomButtonVisible(true);
        p.picker.SetCustomButtonChecked(c.checkedBefore);
        p.picker.SetDirectory(p.tree.Path("beta"));
        const bool result = RunPicker(p.picker, [&c, &p](QDialog& dialog) {
            auto* box = Part<QCheckBox>(dialog, "customButton");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isChecked(), c.checkedBefore) << c.name;
            if (c.toggle)
                Click(dialog, "customButton");
            ClickItem(dialog, "Alpha");
            EXPECT_EQ(StatusText(dialog), ShortenPath(p.tree.Path("Alpha"))) << c.name;
            Click(dialog, c.closeWith);
        });
        EXPECT_EQ(result, c.expectedResult) << c.name;
        EXPECT_EQ(p.picker.CustomButtonChecked(), c.expectedChecked) << c.name;
        EXPECT_EQ(p.picker.Directory(), p.tree.Path(c.expectedResult ? "Alpha" : "beta")) << c.name;
    }
}

TEST(FolderPicker, CheckBoxSitsLevelWithOkAtTheLeftEdge) {
    Picker p;
    p.picker.SetCustomButtonVisible(true);
    RunPicker(p.picker, [&p](QDialog& dialog) {
        auto* ok = Part<QPushButton>(dialog, "okButton");
        auto* box = Part<QCheckBox>(dialog, "customButton");
        const QRect okRect(ok->mapTo(&dialog, QPoint(0, 0)), ok->size());
        // As wide as designed, or as its caption needs.
        const QRect designed = p.picker.CustomButtonRect(okRect, dialog.logicalDpiX());
        EXPECT_EQ(box->geometry().topLeft(), designed.topLeft());
        EXPECT_EQ(box->width(), std::max(designed.width(), box->sizeHint().width()));
        EXPECT_EQ(box->geometry().left(), dialog.logicalDpiX() / 8);
        EXPECT_EQ(box->geometry().top(), okRect.top());
        EXPECT_EQ(box->geometry().height(), okRect.height());
        EXPECT_LT(box->geometry().right(), okRect.left());
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->text(), "包括子文件夹(&S)   ");

        dialog.resize(dialog.width() + 80, dialog.height() + 40);
        QApplication::processEvents();
        const QRect movedOk(ok->mapTo(&dialog, QPoint(0, 0)), ok->size());
        EXPECT_EQ(box->geometry().top(), movedOk.top());
    });
}

TEST(FolderPicker, ExtraControlFollowsItsSettingsWhileOpen) {
    Picker p;
    p.picker.SetCustomButtonVisible(true);
    p.picker.SetCustomButtonEnabled(false);
    RunPicker(p.picker, [&p](QDialog& dialog) {
        auto* box = Part<QCheckBox>(dialog, "customButton");
        EXPECT_FALSE(box->isEnabled());
        p.picker.SetCustomButtonEnabled(true);
        EXPECT_TRUE(box->isEnabled());
        p.picker.SetCustomButtonCaption("其他(&O)");
        EXPECT_EQ(box->text(), "其他(&O)");
    });
}

TEST(FolderPicker, PushButtonRaisesItsClick) {
    Picker p;
    p.picker.SetCustomButtonVisible(true);
    p.picker.SetCustomButtonType(CustomButtonKind::PushButton);
    p.picker.SetCustomButtonWidth(90);
    int clicks = 0;
    QObject::connect(&p.picker, &FolderPicker::customButtonClicked, [&clicks] { ++clicks; });
    const bool chosen = RunPicker(p.picker, [](QDialog& dialog) {
        auto* button = Part<QPushButton>(dialog, "customButton");
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->width(), 90 * dialog.logicalDpiX() / 96);
        Click(dialog, "customButton");
        EXPECT_TRUE(dialog.isVisible());
        Click(dialog, "okButton");
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(p.picker.CustomButtonChecked());
}

// A folder removed while the dialog is open is no longer a folder: OK and, when synchronised,
// the extra control are disabled, and the status line is empty.
TEST(FolderPicker, OkOnlyForAnExistingFolder) {
    Picker p;
    p.picker.SetCustomButtonVisible(true);
    p.picker.SetSyncCustomButton(true);
    std::vector<std::string> selections;
    QObject::connect(
        &p.picker, &FolderPicker::selectionChanged,
        [&selections](QWidget*, const std::string& item, const std::string& directory) {
            selections.push_back(item + "|" + directory);
        });
    RunPicker(p.picker, [&p](QDialog& dialog) {
        fs::remove(p.tree.Path("Alpha"));
        ClickItem(dialog, "Alpha");
        EXPECT_FALSE(Part<QPushButton>(dialog, "okButton")->isEnabled());
        EXPECT_FALSE(Part<QCheckBox>(dialog, "customButton")->isEnabled());
        EXPECT_EQ(StatusText(dialog), "");
        EXPECT_EQ(p.picker.SelectionPath(), "");
        ClickItem(dialog, "beta");
        EXPECT_TRUE(Part<QPushButton>(dialog, "okButton")->isEnabled());
        EXPECT_TRUE(Part<QCheckBox>(dialog, "customButton")->isEnabled());
    });
    ASSERT_GE(selections.size(), 2U);
    EXPECT_EQ(selections[selections.size() - 2], p.tree.Path("Alpha") + "|");
    EXPECT_EQ(selections.back(), p.tree.Path("beta") + "|" + p.tree.Path("beta"));
}

TEST(FolderPicker, DialogEventsReachTheOwnerOnlyWithTheExtraControl) {
    for (const bool visible : {false, true}) {
        Picker p;
        p.picker.SetCustomButtonVisible(visible);
        int events = 0;
        QObject::connect(&p.picker, &FolderPicker::dialogEvent, [&events] { ++events; });
        RunPicker(p.picker, [](QDialog& dialog) { Click(dialog, "cancelButton"); });
        EXPECT_EQ(events > 0, visible);
    }
}

TEST(FolderPicker, StatusLineOnlyWithStatusText) {
    Picker p;
    p.picker.SetFlags(BrowseOption::FoldersOnly);
    RunPicker(p.picker, [](QDialog& dialog) {
        EXPECT_EQ(Part<QLabel>(dialog, "status"), nullptr);
        EXPECT_FALSE(Part<QLabel>(dialog, "title")->isVisible());
    });
}
