// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusMark.h"

#include <QKeyEvent>
#include <QPainter>

namespace FocusMark {

bool IsPressKey(const QKeyEvent& event) {
    const int key = event.key();
    const bool pressKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    return pressKey && !(event.modifiers() & (Qt::AltModifier | Qt::ControlModifier));
}

void Paint(QPainter& painter, const QRect& frame, const QColor& color) {
    painter.save();
    painter.setPen(QPen(color, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace FocusMark
