// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTranslations.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

// Qt's own dialogs speak the program's language once its translations are installed.
TEST(QtTranslations, QtsDialogsSpeakChinese) {
    const std::unique_ptr<QTranslator> translator(QtTranslations::Install());
    ASSERT_NE(translator, nullptr) << "qtbase_zh_CN.qm is not installed";
    QColorDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("选择颜色"));
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("取消"));
}
