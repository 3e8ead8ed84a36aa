// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FormMain.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>
#include <type_traits>

// The wizard's control of that object name, as a test reaches it; a failure when there is none.
template <class Control> Control* Find(const QObject& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control named " << name;
    return control;
}

// Changes one setting of the wizard's record and shows it on the pages, as loading a settings
// file would.
template <class T>
void ChangeSetting(FormMain& form, T Settings::*field, std::type_identity_t<T> value) {
    Settings settings = form.CurrentSettings();
    settings.*field = std::move(value);
    form.SetSettings(settings);
}

// Opens the wizard's Options menu with a click on its button and clicks the item of action.
inline void ChooseFromOptionsMenu(FormMain& form, const char* action) {
    QTest::mouseClick(Find<QPushButton>(form, "optionsButton"), Qt::LeftButton);
    auto* menu = Find<QMenu>(form, "optionsMenu");
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(Find<QAction>(form, action)).center());
}
