// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorPanel.h"

#include "controls/FocusMark.h"
#include "controls/PressableAccessible.h"
#include "ui/ColorValue.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
    PressableAccessible::Expose(this, QAccessible::Button);
    SetColor(color_);
}

void ColorPanel::SetColor(StoredColor color) {
    color_ = color;
    QPalette shown = palette();
    shown.setColor(QPalette::Window, ColorValue::ToQColor(color));
    setPalette(shown);
    setAccessibleName(tr("背景颜色：%1").arg(ColorValue::HexName(color)));
}

void ColorPanel::keyPressEvent(QKeyEvent* event) {
    if (FocusMark::IsPressKey(*event)) {
        event->accept();
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// The mark runs just inside the sunken edge, in a colour that stands out from the background.
void ColorPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Window);
    FocusMark::Paint(painter, contentsRect().adjusted(2, 2, -2, -2),
                     background.lightness() < 128 ? Qt::white : Qt::black);
}
