// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstalledLanguage.h"
#include "RecordingDesktop.h"
#include "RecordingSystemctl.h"
#include "TempTree.h"
#include "controls/AccessibleNames.h"
#include "controls/FolderPicker.h"
#include "platform/Language.h"
#include "ui/FormCheckLinks.h"
#include "ui/FormImport.h"
#include "ui/FormMain.h"
#include "ui/FormOptions.h"
#include "ui/FormRefresh.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
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

// What a screen reader says for each control the focus can reach in a window as it shows now:
// a name, without the access key's mark, whichever way the name came about.
void ExpectSpokenNames(QWidget& window, const std::string& where) {
    static const QRegularExpression keyMark("\\([A-Z]\\)|&");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << where;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus)
            continue;
        const QString name =
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty())
            << where << ": " << control->metaObject()->className() << " "
            << control->objectName().toStdString() << " has no name";
        EXPECT_FALSE(name.contains(keyMark)) << where << ": " << name.toStdString();
    }
}

TEST_P(AccessKeys, EveryControlHasASpokenName) {
    for (int page = 0; page < FormMain::PageCount; ++page) {
        form->SetPageIndex(page);
        ExpectSpokenNames(*form, Where(("wizard page " + std::to_string(page)).c_str()));
    }
    std::vector<std::string> ignored{"Old"};
    FormOptions options(form.get(), ignored, globals.FavoritesFolder);
    ExpectSpokenNames(options, Where("ignored folders"));
    ExpectSpokenNames(*new FormImport(form.get(), globals.FavoritesFolder), Where("import"));
    ExpectSpokenNames(*new FormRefresh(form.get(), form->CurrentSettings(), globals, systemctl),
                      Where("refresh"));
    auto* check = new FormCheckLinks(form.get(), {{"mailto:a@b", "a", "/"}});
    ASSERT_TRUE(QTest::qWaitFor(
        [check] { return check->findChild<QWidget*>("closeButton")->isVisibleTo(check); }));
    ExpectSpokenNames(*check, Where("link check"));
}

// English menu items are in title case, as the desktop's own menus are.
TEST(MenuItems, AreInTitleCaseInEnglish) {
    const InstalledLanguage language(Language::Choice::English);
    TempTree tree;
    Globals globals;
    globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
    tree.Write("program/Linkshelf.lft", "%LF_LINKS_COUNT%");
    const FormMain form(globals, tree.Path("program/linkshelf"));
    static const QRegularExpression smallWord("^(a|an|the|to|from|of|in|on|and|for)$");
    for (const QAction* action : form.findChild<QMenu*>("optionsMenu")->actions()) {
        if (action->isSeparator())
            continue;
        const QStringList words = AccessibleNames::Spoken(action->text()).split(' ');
        for (qsizetype at = 0; at < words.size(); ++at)
            EXPECT_TRUE(words[at][0].isUpper() || (at > 0 && smallWord.match(words[at]).hasMatch()))
                << action->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessKeys,
                         testing::Values(Language::Choice::Chinese, Language::Choice::English),
                         [](const auto& param) {
                             return param.param == Language::Choice::English ? "English"
                                                                             : "Chinese";
                         });

} // namespace
