// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

class QTextLayout;

// A plain-text label that wraps between words and, where a word is wider than the label (a
// long file name or path), inside the word, so the whole text stays readable.
class WrapLabel : public QLabel {
    Q_OBJECT

public:
    explicit WrapLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in lines no wider than width and gives back the size it takes.
    QSizeF LayOut(QTextLayout& layout, qreal width) const;
};
