// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The desktop's style, with one change: a push button that has the keyboard focus also shows a
// dotted frame inside its edge, so the focus can be told from the default button, which many
// styles draw the same way.
class FocusFrameStyle : public QProxyStyle {
public:
    FocusFrameStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
