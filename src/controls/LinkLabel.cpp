// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkLabel.h"

#include "controls/FocusMark.h"
#include "controls/PressableAccessible.h"
#include "platform/DesktopServices.h"
#include "text/Text.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // An address is shown as it is, never read as markup.
    setTextFormat(Qt::PlainText);
    // Only Tab brings the focus here, so a click shows no focus mark.
    setFocusPolicy(Qt::TabFocus);
    PressableAccessible::Expose(this, QAccessible::Link);
    QFont look = font();
    look.setBold(true);
    look.setUnderline(true);
    setFont(look);
    SetFontColor(QColor(0, 0, 255));
}

std::string LinkLabel::Caption() const {
    return text().toStdString();
}

void LinkLabel::SetCaption(const std::string& caption) {
    setText(QString::fromStdString(caption));
}

void LinkLabel::SetURL(const std::string& url) {
    url_ = url;
    if (text() == objectName())
        SetCaption(url);
}

QColor LinkLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::SetFontColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

// The colour is saved once per visit, so a repeated enter cannot save the hover colour itself.
void LinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (savedColor_.isValid())
        return;
    savedColor_ = FontColor();
    SetFontColor(activeColor_);
}

void LinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (!savedColor_.isValid())
        return;
    SetFontColor(savedColor_);
    savedColor_ = QColor();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (!FocusMark::IsPressKey(*event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    Click();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint()))
        Click();
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    const QRect words =
        fontMetrics().boundingRect(contentsRect(), static_cast<int>(alignment()), text());
    FocusMark::Paint(painter, words.adjusted(-1, 0, 2, 1) & rect(), FontColor());
}

void LinkLabel::Click() {
    emit clicked();
    std::string address = TrimText(url_);
    if (address.empty())
        address = TrimText(Caption());
    // A link that cannot be opened simply does nothing.
    if (!address.empty())
        DesktopServices::Current().Open(address);
}
