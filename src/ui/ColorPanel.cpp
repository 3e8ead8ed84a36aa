// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorPanel.h"

#include "ColorValue.h"

#include <QMouseEvent>

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    SetColor(color_);
}

void ColorPanel::SetColor(StoredColor color) {
    color_ = color;
    QPalette shown = palette();
    shown.setColor(QPalette::Window, ColorValue::ToQColor(color));
    setPalette(shown);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
