// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredColor.h"

#include <QFrame>

// The colour page's preview panel: its colour is the page background, kept as stored. A click
// on it, or Space or Enter once Tab has brought the focus to it, reports clicked.
class ColorPanel : public QFrame {
    Q_OBJECT

public:
    explicit ColorPanel(QWidget* parent = nullptr);

    StoredColor Color() const { return color_; }
    void SetColor(StoredColor color);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    StoredColor color_ = 0xFFFFFF;
};
