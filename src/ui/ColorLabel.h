// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StoredColor.h"

#include <QLabel>
#include <functional>

// A label on the colour page whose font colour is one of the page's colours. It keeps the
// colour value as stored (a system colour stays a system colour) and reports clicks.
class ColorLabel : public QLabel {
public:
    ColorLabel(const QString& text, QWidget* parent);

    StoredColor Color() const { return color_; }
    void SetColor(StoredColor color);

    std::function<void(ColorLabel*)> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    StoredColor color_ = 0;
};
