// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FocusFrameStyle.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// In a dialog the focused button is also the default one; the dotted frame is what tells the
// focus apart from the default look the button has without it.
TEST(FocusFrameStyle, TheFocusedButtonLooksUnlikeTheDefaultOne) {
    FocusFrameStyle style;
    QDialog dialog;
    auto* other = new QPushButton("Other", &dialog);
    auto* button = new QPushButton("Next", &dialog);
    other->setAutoDefault(false);
    other->move(0, 40);
    for (QWidget* widget : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(other),
                            static_cast<QWidget*>(button)})
        widget->setStyle(&style);
    button->setDefault(true);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    other->setFocus();
    const QImage asDefault = button->grab().toImage();
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    ASSERT_TRUE(button->isDefault());
    EXPECT_NE(button->grab().toImage(), asDefault);
}
