// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusFrameStyle.h"

#include "controls/FocusMark.h"

#include <QPainter>
#include <QStyleOption>

FocusFrameStyle::FocusFrameStyle() : QProxyStyle(nullptr) {}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    FocusMark::Paint(*painter, option->rect.adjusted(4, 4, -4, -4),
                     option->palette.color(QPalette::ButtonText));
}
