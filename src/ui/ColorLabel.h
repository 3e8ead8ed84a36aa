// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredColor.h"

#include <QLabel>

// A label on the colour page whose font colour is one of the page's colours. It keeps the
// colour value as stored (a system colour stays a system colour) and reports clicks, and Space
// or Enter when Tab has brought the focus to it. A screen reader hears it as a button named
// after its caption and colour.
class ColorLabel : public QLabel {
    Q_OBJECT

public:
    explicit ColorLabel(QWidget* parent = nullptr);

    StoredColor Color() const { return color_; }
    void SetColor(StoredColor color);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    StoredColor color_ = 0;
};
