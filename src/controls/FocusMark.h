// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>

class QKeyEvent;
class QPainter;

// The keyboard side of the controls drawn by hand: which keys press them, and the dotted frame
// that shows where the focus is (unlike the default button's frame, which is solid).
namespace FocusMark {

// Space, Enter or Return, without Alt or Ctrl.
bool IsPressKey(const QKeyEvent& event);
void Paint(QPainter& painter, const QRect& frame, const QColor& color);

} // namespace FocusMark
