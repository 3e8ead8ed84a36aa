// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StoredColor.h"

#include <QFrame>

// The colour page's preview panel: its colour is the page background, kept as stored.
class ColorPanel : public QFrame {
    Q_OBJECT

public:
    explicit ColorPanel(QWidget* parent = nullptr);

    StoredColor Color() const { return color_; }
    void SetColor(StoredColor color);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    StoredColor color_ = 0xFFFFFF;
};
