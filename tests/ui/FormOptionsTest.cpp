// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormOptions.h"

#include "RecordingDesktop.h"
#include "TempTree.h"
#include "WizardControls.h"
#include "controls/FolderPicker.h"
#include "controls/ReorderableList.h"
#include "settings/SettingsFile.h"
#include "ui/FormMain.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class FileDesktop : public RecordingDesktop {
public:
    std::optional<std::string> ChooseFile(QWidget*, const FileRequest& request) override {
        events.push_back("file:" + request.filter + "|" + request.defaultSuffix +
                         (request.save ? "|save" : "|open"));
        return chosenFile;
    }
    std::optional<std::string> chosenFile;
};

class Options : public testing::Test {
protected:
    Options() {
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           QString::fromStdString(tree.Path("etc")));
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.FavoritesFolder = tree.Path("Fav/");
        globals.SettingsPath = globals.DefaultSettingsPath();
        tree.Folder("Fav/News");
        tree.Write("program/Linkshelf.lfs", "[Options]\r\nIgnoreFolders=Old;Temp\r\n");
        form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // Opens the Options dialog and lets act play the user while it runs.
    void WithDialog(const std::function<void(FormOptions&)>& act) {
        form->OnOptionsDialog = [&](FormOptions& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, &act] { act(dialog); });
        };
        ChooseFromOptionsMenu(*form, "ignoredFoldersAction");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The picker answers as if the user chose folder (or cancelled, for an empty one).
    static void PickFolder(FormOptions& dialog, const std::string& folder,
                           std::string* startedAt = nullptr) {
        dialog.RunFolderPicker = [folder, startedAt](FolderPicker& picker) {
            if (startedAt != nullptr)
                *startedAt = picker.Directory();
            if (folder.empty())
                return false;
            picker.SetDirectory(folder);
            return true;
        };
        QTest::mouseClick(Find<QPushButton>(dialog, "addButton"), Qt::LeftButton);
    }

    TempTree tree;
    Globals globals;
    FileDesktop desktop;
    std::unique_ptr<FormMain> form;
};

TEST_F(Options, TheMenuOpensBelowTheButton) {
    QTest::mouseClick(Find<QPushButton>(*form, "optionsButton"), Qt::RightButton);
    EXPECT_FALSE(Find<QMenu>(*form, "optionsMenu")->isVisible());
    QTest::mouseClick(Find<QPushButton>(*form, "optionsButton"), Qt::LeftButton);
    ASSERT_TRUE(Find<QMenu>(*form, "optionsMenu")->isVisible());
    EXPECT_EQ(Find<QMenu>(*form, "optionsMenu")->pos(),
              Find<QPushButton>(*form, "optionsButton")->mapToGlobal(QPoint(0, 23)));
    QStringList captions;
    for (const QAction* action : Find<QMenu>(*form, "optionsMenu")->actions())
        captions << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions,
              (QStringList{"更多(&M)...", "从浏览器导入书签(&I)...", "检查链接(&C)...",
                           "导出书签(&E)...", "自动更新页面(&U)...", "-", "从文件载入选项(&L)...",
                           "保存选项到文件(&S)...", "-", "载入工厂默认(&D)"}));
    Find<QMenu>(*form, "optionsMenu")->hide();
}

TEST_F(Options, LoadingReportsSuccessOrTheFailedPath) {
    tree.Write("mine.lfs", "[Options]\r\nPageTitle=Loaded\r\n");
    desktop.chosenFile = tree.Path("mine.lfs");
    ChooseFromOptionsMenu(*form, "loadAction");
    EXPECT_EQ(form->CurrentSettings().pageTitle, "Loaded");
    EXPECT_EQ(globals.SettingsPath, tree.Path("mine.lfs"));
    EXPECT_EQ(desktop.events, (std::vector<std::string>{"file:Linkshelf 设置文件 (*.lfs)|lfs|open",
                                                        "info:Linkshelf:成功地从文件载入设置！"}));

    desktop.events.clear();
    globals.IgnoreList = {"Old"};
    tree.Write("mine.ini", "[Options]\r\nPageTitle=Ini\r\n");
    desktop.chosenFile = tree.Path("mine.ini");
    ChooseFromOptionsMenu(*form, "loadAction");
    EXPECT_EQ(form->CurrentSettings().pageTitle, "Loaded");
    EXPECT_EQ(globals.SettingsPath, tree.Path("mine.lfs")) << "a refused file changes nothing";
    EXPECT_EQ(globals.IgnoreList, std::vector<std::string>{"Old"});
    EXPECT_EQ(desktop.events.at(1), "beep");
    EXPECT_EQ(desktop.events.at(2), "error:Linkshelf:正加载文件 \"" + tree.Path("mine.ini") +
                                        "\" 时出现一个错误！\r\n" + NotSettingsFileReason());

    desktop.events.clear();
    desktop.chosenFile.reset();
    ChooseFromOptionsMenu(*form, "loadAction");
    EXPECT_EQ(desktop.events.size(), 1u) << "a cancelled dialog does nothing else";
}

TEST_F(Options, SavingKeepsTheCurrentSettingsFile) {
    desktop.chosenFile = tree.Path("saved.lfs");
    ChangeSetting(*form, &Settings::pageTitle, "Saved");
    ChooseFromOptionsMenu(*form, "saveAction");
    EXPECT_NE(tree.Read("saved.lfs").find("PageTitle=Saved\r\n"), std::string::npos);
    EXPECT_EQ(globals.SettingsPath, globals.DefaultSettingsPath());
    EXPECT_EQ(desktop.events, std::vector<std::string>{"file:Linkshelf 设置文件 (*.lfs)|lfs|save"});

    desktop.chosenFile = tree.Path("missing/saved.lfs");
    ChooseFromOptionsMenu(*form, "saveAction");
    EXPECT_EQ(desktop.events.back(), "error:Linkshelf:正保存文件 \"" +
                                         tree.Path("missing/saved.lfs") +
                                         "\" 时出现一个错误！\r\n" + std::strerror(ENOENT));
}

// The export asks for the file with both formats offered, writes it on a worker and says in a
// box what it wrote, or why it wrote nothing.
TEST_F(Options, ExportingWritesTheTreeOfTheSettingsAndShowsTheResult) {
    const std::string filters = "file:书签文件 (*.html *.htm);;XBEL 书签 (*.xbel)|html|save";
    tree.Write("out/folder.xbel/x", "");
    const struct {
        const char* name;
        std::string links;
        std::optional<std::string> chosen;
        std::vector<std::string> events;
        std::string fileStart;
    } cases[] = {
        {"bookmark file",
         "Fav",
         tree.Path("out/b.html"),
         {filters, "info:Linkshelf:已把 1 个链接、1 个文件夹和 0 个图标导出到 \"" +
                       tree.Path("out/b.html") + "\"。"},
         "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"},
        {"XBEL",
         "Fav",
         tree.Path("out/b.xbel"),
         {filters, "info:Linkshelf:已把 1 个链接、1 个文件夹和 0 个图标导出到 \"" +
                       tree.Path("out/b.xbel") + "\"。"},
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"},
        {"cancelled", "Fav", std::nullopt, {filters}, ""},
        {"a path that is a folder",
         "Fav",
         tree.Path("out/folder.xbel"),
         {filters, "beep",
          "error:Linkshelf:不能把书签导出到文件 \"" + tree.Path("out/folder.xbel") + "\"。\r\n" +
              std::strerror(EISDIR)},
         ""},
        {"no link",
         "Other",
         tree.Path("out/none.html"),
         {filters, "info:Linkshelf:快捷方式文件夹中没有链接，所以没有导出书签。"},
         ""},
    };
    tree.Shortcut("Fav/News/n.url", "https://n.example/");
    tree.Folder("Other/Empty");
    for (const auto& row : cases) {
        ChangeSetting(*form, &Settings::sourceFolder, tree.Path(row.links));
        desktop.events.clear();
        desktop.chosenFile = row.chosen;
        ChooseFromOptionsMenu(*form, "exportAction");
        EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.events.size() >= row.events.size(); }))
            << row.name;
        EXPECT_EQ(desktop.events, row.events) << row.name;
        EXPECT_TRUE(form->isEnabled()) << row.name;
        if (!row.fileStart.empty()) {
            EXPECT_TRUE(
                tree.Read(row.chosen->substr(tree.Root().size())).starts_with(row.fileStart))
                << row.name;
        }
    }
}

TEST_F(Options, FactoryDefaultsLeaveTheIgnoredFolders) {
    globals.SettingsPath = tree.Path("other.lfs");
    ChangeSetting(*form, &Settings::pageTitle, "Changed");
    ChooseFromOptionsMenu(*form, "defaultsAction");
    EXPECT_EQ(form->CurrentSettings().pageTitle, "My Favorite Links");
    EXPECT_TRUE(form->CurrentSettings().launchBrowser);
    EXPECT_EQ(globals.SettingsPath, globals.DefaultSettingsPath());
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"Old", "Temp"}));
    EXPECT_EQ(desktop.events, std::vector<std::string>{"info:Linkshelf:默认设置已载入！"});
}

TEST_F(Options, TheDialogAddsRemovesAndWritesBackOnOk) {
    QPointer<FormOptions> opened;
    std::vector<std::string> shown;
    std::string firstStart, secondStart;
    WithDialog([&](FormOptions& dialog) {
        opened = &dialog;
        EXPECT_EQ(dialog.size(), QSize(316, 267));
        EXPECT_EQ(dialog.windowTitle(), "选项");
        EXPECT_EQ(Find<QTabWidget>(dialog, "tabs")->tabText(0), "忽略文件夹");
        EXPECT_EQ(dialog.focusWidget(), Find<QPushButton>(dialog, "okButton"));
        EXPECT_LE(
            (dialog.frameGeometry().center() - form->frameGeometry().center()).manhattanLength(),
            2);
        shown = Find<ReorderableList>(dialog, "ignoredFolders")->Items();
        PickFolder(dialog, tree.Path("Fav/News"), &firstStart);
        PickFolder(dialog, tree.Path("Fav/Work/NEWS"), &secondStart);
        PickFolder(dialog, "");
        EXPECT_EQ(desktop.events, std::vector<std::string>{"beep"}) << "NEWS is there already";

        Find<ReorderableList>(dialog, "ignoredFolders")->SetItemIndex(2);
        QTest::mouseClick(Find<QPushButton>(dialog, "removeButton"), Qt::LeftButton);
        EXPECT_EQ(Find<ReorderableList>(dialog, "ignoredFolders")->ItemIndex(), 1)
            << "the entry before the end";
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"Old", "Temp"}));
    EXPECT_EQ(firstStart, "");
    EXPECT_EQ(secondStart, tree.Path("Fav/News"));
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"Old", "Temp"}));
    EXPECT_FALSE(opened) << "the dialog frees itself once closed";

    WithDialog([&](FormOptions& dialog) {
        PickFolder(dialog, tree.Path("Fav/News/"), &firstStart);
        Find<ReorderableList>(dialog, "ignoredFolders")->SetItemIndex(2);
        QTest::keyClick(Find<ReorderableList>(dialog, "ignoredFolders"), Qt::Key_Up);
        QTest::keyClick(Find<ReorderableList>(dialog, "ignoredFolders"), Qt::Key_Delete);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(firstStart, "") << "a new dialog's picker remembers nothing";
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"Old", "News"}));
}

TEST_F(Options, CancelEscapeAndTheCloseBoxLeaveTheListAlone) {
    const std::vector<std::function<void(FormOptions&)>> closes{
        [](FormOptions& d) {
            QTest::mouseClick(Find<QPushButton>(d, "cancelButton"), Qt::LeftButton);
        },
        [](FormOptions& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](FormOptions& d) { d.close(); }};
    for (const auto& close : closes) {
        WithDialog([&](FormOptions& dialog) {
            PickFolder(dialog, tree.Path("Fav/News"));
            EXPECT_EQ(Find<ReorderableList>(dialog, "ignoredFolders")->Count(), 3);
            close(dialog);
        });
        EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"Old", "Temp"}));
    }
}

TEST_F(Options, DraggingAnEntryToTheEndStoresTheNewOrder) {
    WithDialog([&](FormOptions& dialog) {
        auto* list = Find<ReorderableList>(dialog, "ignoredFolders");
        const QPoint first = list->visualItemRect(list->item(0)).center();
        const QPoint below = list->visualItemRect(list->item(1)).bottomLeft() + QPoint(5, 30);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseMove(list->viewport(), first + QPoint(0, 5));
        QTest::mouseMove(list->viewport(), below);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(globals.IgnoreList, (std::vector<std::string>{"Temp", "Old"}));
}

} // namespace
