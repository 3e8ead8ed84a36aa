// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderPicker.h"
#include "FormCheckLinks.h"
#include "FormImport.h"
#include "FormMain.h"
#include "FormOptions.h"
#include "FormRefresh.h"
#include "InstalledLanguage.h"
#include "Language.h"
#include "RecordingDesktop.h"
#include "RecordingSystemctl.h"
#include "TempTree.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace {

// The access key a caption gives ("&Next >" and "继续(&N) >" give N), or none; "&&" is a plain
// ampersand.
QChar AccessKey(const QString& caption) {
    for (qsizetype at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&')
            continue;
        if (caption[at + 1] != '&')
            return caption[at + 1].toUpper();
        ++at;
    }
    return {};
}

// Every access key among the captions, with the captions that use it.
using KeyUse = std::map<QChar, QStringList>;

void Add(KeyUse& keys, const QString& caption) {
    if (const QChar key = AccessKey(caption); !key.isNull())
        keys[key].append(caption);
}

// The captions a user can reach by Alt and a letter in this window as it shows now: buttons,
// labels that lead to a control, tabs.
KeyUse KeysOf(const QWidget& window) {
    KeyUse keys;
    for (const auto* button : window.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&window))
            Add(keys, button->text());
    for (const auto* label : window.findChildren<QLabel*>())
        if (label->buddy() != nullptr && label->isVisibleTo(&window))
            Add(keys, label->text());
    for (const auto* tabs : window.findChildren<QTabWidget*>())
        for (int tab = 0; tab < tabs->count(); ++tab)
            Add(keys, tabs->tabText(tab));
    return keys;
}

KeyUse KeysOf(const QMenu& menu) {
    KeyUse keys;
    for (const QAction* action : menu.actions())
        Add(keys, action->text());
    return keys;
}

// A failure for each key that two captions share.
void ExpectUnique(const KeyUse& keys, const std::string& where) {
    EXPECT_FALSE(keys.empty()) << where << ": no access key at all";
    for (const auto& [key, captions] : keys)
        EXPECT_EQ(captions.size(), 1) << where << ": " << QString(key).toStdString() << " in "
                                      << captions.join(" | ").toStdString();
}

class AccessKeys : public testing::TestWithParam<Language::Choice> {
protected:
    AccessKeys() : language(GetParam()) {
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           QString::fromStdString(tree.Path("etc")));
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.DesktopFolder = tree.Path("Desktop/");
        globals.FavoritesFolder = tree.Path("Fav/");
        globals.TemplatePath = globals.DefaultTemplatePath();
        globals.SettingsPath = globals.DefaultSettingsPath();
        tree.Write("program/Linkshelf.lft", "%LF_LINKS_COUNT%");
        tree.Shortcut("Fav/a.url", "https://a/");
        form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
    }

    std::string Where(const char* window) const {
        return std::string(window) +
               (GetParam() == Language::Choice::English ? " (English)" : " (Chinese)");
    }

    InstalledLanguage language;
    TempTree tree;
    Globals globals;
    RecordingDesktop desktop;
    RecordingSystemctl systemctl;
    std::unique_ptr<FormMain> form;
};

TEST_P(AccessKeys, AreUniqueInEveryWindow) {
    for (int page = 0; page < FormMain::PageCount; ++page) {
        form->SetPageIndex(page);
        ExpectUnique(KeysOf(*form), Where(("wizard page " + std::to_string(page)).c_str()));
    }
    // The Chinese captions of these two have no access key; the English ones do.
    for (const char* name : {"includeSubfoldersBox", "closeButton"})
        EXPECT_EQ(AccessKey(form->findChild<QAbstractButton*>(name)->text()).isNull(),
                  GetParam() == Language::Choice::Chinese)
            << Where(name);
    ExpectUnique(KeysOf(*form->findChild<QMenu*>("optionsMenu")), Where("Options menu"));

    std::vector<std::string> ignored{"Old"};
    ExpectUnique(KeysOf(FormOptions(form.get(), ignored, globals.FavoritesFolder)),
                 Where("ignored folders"));
    ExpectUnique(KeysOf(*new FormImport(form.get(), globals.FavoritesFolder)), Where("import"));
    ExpectUnique(KeysOf(*new FormRefresh(form.get(), form->CurrentSettings(), globals, systemctl)),
                 Where("refresh"));
    ExpectUnique(KeysOf(*new FormCheckLinks(form.get(), {})), Where("link check"));

    FolderPicker picker(form.get());
    picker.SetCustomButtonVisible(true);
    picker.SetCustomButtonCaption(
        QCoreApplication::translate("Strings", "包括子文件夹(&S)").toStdString());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        seen = true;
        ExpectUnique(KeysOf(*dialog), Where("folder picker"));
        dialog->close();
    });
    picker.Execute();
    EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessKeys,
                         testing::Values(Language::Choice::Chinese, Language::Choice::English),
                         [](const auto& param) {
                             return param.param == Language::Choice::English ? "English"
                                                                             : "Chinese";
                         });

} // namespace
