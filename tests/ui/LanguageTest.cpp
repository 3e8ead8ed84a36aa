// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Language.h"

#include "InstalledLanguage.h"
#include "controls/FolderPicker.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

bool HasChinese(const QString& text) {
    return text.contains(QRegularExpression("\\p{Han}"));
}

} // namespace

TEST(Language, ChineseOnlyWhenTheFirstInterfaceLanguageIsChinese) {
    using Choice = Language::Choice;
    const struct {
        QStringList languages;
        Choice choice{};
    } cases[] = {
        {{"zh-CN", "en-US"}, Choice::Chinese},
        {{"zh"}, Choice::Chinese},
        {{"zh-Hans-CN"}, Choice::Chinese},
        {{"zh_TW"}, Choice::Chinese},
        {{"en-US", "zh-CN"}, Choice::English},
        {{"de-DE"}, Choice::English},
        {{"C"}, Choice::English},
        {{"zu-ZA"}, Choice::English},
        {{}, Choice::English},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Language::For(c.languages), c.choice) << c.languages.join(',').toStdString();
}

TEST(Language, QtsOwnDialogsSpeakTheChosenLanguage) {
    for (const auto& [choice, cancel] :
         {std::pair{Language::Choice::Chinese, QString::fromUtf8("取消")},
          std::pair{Language::Choice::English, QString("&Cancel")}}) {
        const InstalledLanguage installed(choice);
        QColorDialog dialog;
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove('&'),
                  QString(cancel).remove('&'));
    }
}

// The English texts are built into the program: the folder picker's own dialog has no Chinese
// left in it once English is installed, and all of it without.
TEST(Language, TheProgramsOwnTextsFollowTheChoice) {
    for (const auto choice : {Language::Choice::Chinese, Language::Choice::English}) {
        const InstalledLanguage installed(choice);
        FolderPicker picker;
        QStringList shown;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            shown.append(dialog->windowTitle());
            for (const auto* button : dialog->findChildren<QPushButton*>())
                shown.append(button->text());
            dialog->close();
        });
        picker.Execute();
        ASSERT_FALSE(shown.isEmpty());
        for (const QString& text : shown)
            EXPECT_EQ(HasChinese(text), choice == Language::Choice::Chinese) << text.toStdString();
    }
}
