#include "zUrlLabel.h"

#include "MyShellUtils.h"
#include "MyStringUtils.h"

#include <QMouseEvent>

TzUrlLabel::TzUrlLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // An address is shown as it is, never read as markup.
    setTextFormat(Qt::PlainText);
    QFont look = font();
    look.setBold(true);
    look.setUnderline(true);
    setFont(look);
    SetFontColor(QColor(0, 0, 255));
}

std::string TzUrlLabel::Caption() const {
    return text().toStdString();
}

void TzUrlLabel::SetCaption(const std::string& caption) {
    setText(QString::fromStdString(caption));
}

void TzUrlLabel::SetURL(const std::string& url) {
    url_ = url;
    if (text() == objectName())
        SetCaption(url);
}

QColor TzUrlLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TzUrlLabel::SetFontColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

// The colour is saved once per visit, so a repeated enter cannot save the hover colour itself.
void TzUrlLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (savedColor_.isValid())
        return;
    savedColor_ = FontColor();
    SetFontColor(activeColor_);
}

void TzUrlLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (!savedColor_.isValid())
        return;
    SetFontColor(savedColor_);
    savedColor_ = QColor();
}

void TzUrlLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void TzUrlLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TzUrlLabel::Click() {
    if (OnClick)
        OnClick(this);
    std::string address = TrimText(url_);
    if (address.empty())
        address = TrimText(Caption());
    // A link that cannot be opened simply does nothing.
    if (!address.empty())
        ShellOpen(address);
}
