// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormImport.h"

#include "RecordingDesktop.h"
#include "TempTree.h"
#include "WizardControls.h"
#include "controls/BrowseLineEdit.h"
#include "controls/FolderPicker.h"
#include "import/ImportTexts.h"
#include "ui/FormMain.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}

std::string Fixture(const std::string& name) {
    std::ifstream file(LINKSHELF_TEST_DATA "/import/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class FileDesktop : public RecordingDesktop {
public:
    std::optional<std::string> ChooseFile(QWidget*, const FileRequest& request) override {
        events.push_back("file:" + request.filter + (request.save ? "|save" : "|open"));
        return chosenFile;
    }
    std::optional<std::string> chosenFile;
};

// The wizard on a home folder with one Chromium profile and an export file, its import dialog
// opened from the Options menu as the user opens it.
class Import : public testing::Test {
protected:
    Import() : home_(qgetenv("HOME")), configHome_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tree.Path("home/.config")));
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           QString::fromStdString(tree.Path("etc")));
        tree.Write("home/.config/chromium/Default/Bookmarks", Fixture("Bookmarks"));
        tree.Write("export.html", Fixture("bookmarks.html"));
        tree.Write("notes.txt", "not bookmarks");
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.FavoritesFolder = tree.Path("Fav/");
        globals.SettingsPath = globals.DefaultSettingsPath();
        form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    ~Import() override {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", configHome_);
    }

    // Clicks Options, then the import item, and lets act play the user in the dialog.
    void WithDialog(const std::function<void(FormImport&)>& act) {
        form->OnImportDialog = [&](FormImport& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, &act] {
                act(dialog);
                QTest::mouseClick(Find<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
            });
        };
        QTest::mouseClick(Find<QPushButton>(*form, "optionsButton"), Qt::LeftButton);
        auto* menu = Find<QMenu>(*form, "optionsMenu");
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(Find<QAction>(*form, "importAction")).center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void ClickRow(FormImport& dialog, int row) {
        auto* list = Find<QListWidget>(dialog, "sourceList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    TempTree tree;
    Globals globals;
    FileDesktop desktop;
    std::unique_ptr<FormMain> form;

private:
    QByteArray home_;
    QByteArray configHome_;
};

TEST_F(Import, ImportsAProfileAndMakesItTheSourceFolder) {
    std::vector<std::string> rows;
    std::string result;
    WithDialog([&](FormImport& dialog) {
        for (int row = 0; row < Find<QListWidget>(dialog, "sourceList")->count(); ++row)
            rows.push_back(S(Find<QListWidget>(dialog, "sourceList")->item(row)->text()));
        EXPECT_EQ(Find<BrowseLineEdit>(dialog, "folderEdit")->Text(), tree.Path("Fav/"));
        ClickRow(dialog, 0);
        QTest::mouseClick(Find<QPushButton>(dialog, "importButton"), Qt::LeftButton);
        result = S(Find<QLabel>(dialog, "resultLabel")->text());
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"Chromium（4 个链接）", "选择导出的书签文件..."}));
    EXPECT_EQ(result, "已导入 4 个链接和 3 个文件夹到 \"" + tree.Path("Fav/Chromium") +
                          "\"。跳过了 1 个不能在网页中打开的链接。");
    EXPECT_EQ(tree.Read("Fav/Chromium/其他书签/File.url"),
              "[InternetShortcut]\r\nURL=file:///home/user/notes.txt\r\n");
    EXPECT_EQ(form->CurrentSettings().sourceFolder, tree.Path("Fav/Chromium"));
    EXPECT_EQ(desktop.events, std::vector<std::string>{});
}

TEST_F(Import, ImportsAChosenFileIntoAPickedFolder) {
    std::string startedAt;
    WithDialog([&](FormImport& dialog) {
        dialog.RunFolderPicker = [&](FolderPicker& picker) {
            startedAt = picker.Directory();
            picker.SetDirectory(tree.Path("Picked"));
            return true;
        };
        QTest::mouseClick(Find<BrowseLineEdit>(dialog, "folderEdit"), Qt::LeftButton, {},
                          Find<BrowseLineEdit>(dialog, "folderEdit")->ButtonRect().center());
        desktop.chosenFile = tree.Path("export.html");
        ClickRow(dialog, 1);
        QTest::mouseClick(Find<QPushButton>(dialog, "importButton"), Qt::LeftButton);
    });
    EXPECT_EQ(startedAt, tree.Path("Fav/"));
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"file:书签文件 (*.html *.htm *.xbel *.xml *.json *.jsonlz4 "
                                        "*.sqlite *.gvdb Bookmarks urls quickmarks)|open"}));
    EXPECT_EQ(tree.Read("Picked/export/书签工具栏/嵌套/同名 (2).url"),
              "[InternetShortcut]\r\nURL=https://example.org/same2\r\n");
    EXPECT_EQ(form->CurrentSettings().sourceFolder, tree.Path("Picked/export"));
}

TEST_F(Import, ShowsWhyNothingWasImportedAndKeepsTheSourceFolder) {
    ChangeSetting(*form, &Settings::sourceFolder, tree.Path("Fav/"));
    std::string result = "unset";
    WithDialog([&](FormImport& dialog) {
        desktop.chosenFile = tree.Path("notes.txt");
        ClickRow(dialog, 1);
        QTest::mouseClick(Find<QPushButton>(dialog, "importButton"), Qt::LeftButton);
        result = S(Find<QLabel>(dialog, "resultLabel")->text());
        desktop.chosenFile.reset();
        QTest::mouseClick(Find<QPushButton>(dialog, "importButton"), Qt::LeftButton);
    });
    ASSERT_EQ(desktop.events.size(), 4u);
    EXPECT_EQ(desktop.events[1], "beep");
    EXPECT_EQ(desktop.events[2],
              "error:Linkshelf:" + ImportTexts::NotBookmarks(tree.Path("notes.txt")));
    EXPECT_EQ(desktop.events[3], desktop.events[0]) << "cancelling the file chooser does nothing";
    EXPECT_EQ(result, "");
    EXPECT_EQ(form->CurrentSettings().sourceFolder, tree.Path("Fav/"));
    EXPECT_FALSE(std::filesystem::exists(tree.Path("Fav/notes")));
}

} // namespace
