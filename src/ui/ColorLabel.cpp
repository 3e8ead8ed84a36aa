// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorLabel.h"

#include "ColorValue.h"

#include <QMouseEvent>

ColorLabel::ColorLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    QFont underlined = font();
    underlined.setUnderline(true);
    underlined.setPixelSize(13);
    setFont(underlined);
    SetColor(color_);
}

void ColorLabel::SetColor(StoredColor color) {
    color_ = color;
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, ColorValue::ToQColor(color));
    setPalette(shown);
}

// The label takes the whole click, so the panel behind it never sees it and opens nothing.
void ColorLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ColorLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
