// SPDX-License-Identifier: GPL-3.0-or-later
#include "WrapLabel.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace {

// The text's line ends as the breaks a text layout keeps.
QString LinesOf(QString text) {
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

} // namespace

WrapLabel::WrapLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QSizeF WrapLabel::LayOut(QTextLayout& layout, qreal width) const {
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    qreal widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return {widest, height};
}

QSize WrapLabel::minimumSizeHint() const {
    QTextLayout layout(LinesOf(text()), font());
    const QSizeF size = LayOut(layout, contentsRect().width());
    const QMargins margins = contentsMargins();
    return {static_cast<int>(std::ceil(size.width())) + margins.left() + margins.right(),
            static_cast<int>(std::ceil(size.height())) + margins.top() + margins.bottom()};
}

int WrapLabel::heightForWidth(int width) const {
    QTextLayout layout(LinesOf(text()), font());
    const QMargins margins = contentsMargins();
    const QSizeF size = LayOut(layout, width - margins.left() - margins.right());
    return static_cast<int>(std::ceil(size.height())) + margins.top() + margins.bottom();
}

void WrapLabel::paintEvent(QPaintEvent* /*event*/) {
    QTextLayout layout(LinesOf(text()), font());
    LayOut(layout, contentsRect().width());
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, contentsRect().topLeft());
}
