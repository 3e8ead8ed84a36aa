// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StoredColor.h"

#include <QFrame>
#include <functional>

// The colour page's preview panel: its colour is the page background, kept as stored.
class ColorPanel : public QFrame {
public:
    explicit ColorPanel(QWidget* parent);

    StoredColor Color() const { return color_; }
    void SetColor(StoredColor color);

    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    StoredColor color_ = 0xFFFFFF;
};
