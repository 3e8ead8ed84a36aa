// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorLabel.h"

#include "controls/FocusMark.h"
#include "controls/PressableAccessible.h"
#include "ui/ColorValue.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorLabel::ColorLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    // Only Tab brings the focus here, so a click shows no focus mark.
    setFocusPolicy(Qt::TabFocus);
    PressableAccessible::Expose(this, QAccessible::Button);
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
    setAccessibleName(tr("%1：%2").arg(text(), ColorValue::HexName(color)));
}

void ColorLabel::keyPressEvent(QKeyEvent* event) {
    if (FocusMark::IsPressKey(*event)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
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

void ColorLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    const QRect words = fontMetrics().boundingRect(rect(), static_cast<int>(alignment()), text());
    FocusMark::Paint(painter, words.adjusted(-2, -1, 2, 1) & rect(),
                     palette().color(QPalette::WindowText));
}
