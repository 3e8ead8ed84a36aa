// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

// How a screen reader sees a control drawn by hand (a coloured word, a link label, a button
// that opens a menu): the role it plays, its name (its accessible name, else its caption
// without the access-key mark) and a press action that does what Space on the control does.
namespace PressableAccessible {

void Expose(QWidget* control, QAccessible::Role role);
// The control opens a pop-up (a menu) when pressed.
void SetHasPopup(QWidget* control, bool hasPopup);

} // namespace PressableAccessible
