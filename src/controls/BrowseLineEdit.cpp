// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowseLineEdit.h"

#include "controls/FocusMark.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>

namespace {

bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The keys that open a field's list or picker on every desktop.
bool IsOpenKey(const QKeyEvent& event) {
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_F4 && modifiers == Qt::NoModifier) ||
           (event.key() == Qt::Key_Down && modifiers == Qt::AltModifier);
}

// The browse button as the keyboard and screen readers know it. The field draws the button, so
// this one draws only the focus mark, and lets the mouse through to the field.
class FocusButton : public QPushButton {
public:
    explicit FocusButton(QWidget* field) : QPushButton(field) {
        setFocusPolicy(Qt::TabFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // Focus on it must not take the form's default button away.
        setAutoDefault(false);
        setObjectName("browseButton");
        setAccessibleName(QCoreApplication::translate("BrowseLineEdit", "浏览..."));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (IsEnterKey(event->key())) {
            event->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* /*event*/) override {
        if (!hasFocus())
            return;
        QPainter painter(this);
        FocusMark::Paint(painter, rect().adjusted(2, 2, -2, -2),
                         palette().color(QPalette::ButtonText));
    }
};

} // namespace

BrowseLineEdit::BrowseLineEdit(QWidget* parent)
    : QLineEdit(parent), button_(new FocusButton(this)) {
    // The cursor changes over the button without a button held.
    setMouseTracking(true);
    connect(button_, &QPushButton::clicked, this, &BrowseLineEdit::buttonClicked);
    ReadButtonWidth();
}

void BrowseLineEdit::SetButtonName(const QString& name) {
    button_->setAccessibleName(name);
}

std::string BrowseLineEdit::Text() const {
    return text().toStdString();
}

void BrowseLineEdit::SetText(const std::string& text) {
    setText(QString::fromStdString(text));
}

QRect BrowseLineEdit::ButtonRect() const {
    const QRect client = ClientRect();
    return {client.left() + client.width() - buttonWidth_, client.top(), buttonWidth_,
            client.height()};
}

void BrowseLineEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        ReadButtonWidth();
}

void BrowseLineEdit::keyPressEvent(QKeyEvent* event) {
    if (IsOpenKey(*event)) {
        event->accept();
        emit buttonClicked();
        return;
    }
    // The form sees Enter before the field does, so its default button wins.
    if (IsEnterKey(event->key()) && DefaultButtonTakesEnter()) {
        event->ignore();
        return;
    }
    if (IsEnterKey(event->key())) {
        event->accept();
        emit buttonClicked();
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

// A quick second click on the button presses it again instead of selecting a word of the text.
void BrowseLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OverButton(event->position().toPoint()))
        mousePressEvent(event);
    else
        QLineEdit::mouseDoubleClickEvent(event);
}

void BrowseLineEdit::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    const Qt::CursorShape shape =
        OverButton(event->position().toPoint()) ? Qt::ArrowCursor : Qt::IBeamCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
}

void BrowseLineEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && OverButton(event->position().toPoint()))
        SetButtonPressed(true);
}

void BrowseLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (ClientRect().contains(pos))
        Click(pos);
    SetButtonPressed(false);
}

void BrowseLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    PaintButton();
}

// The form sets its tab order after the field is made: the button follows the field wherever
// that put it.
void BrowseLineEdit::showEvent(QShowEvent* event) {
    QLineEdit::showEvent(event);
    setTabOrder(this, button_);
}

void BrowseLineEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    button_->setGeometry(ButtonRect());
}

// The area inside the field's frame.
QRect BrowseLineEdit::ClientRect() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

// Only the height is free: the leftmost column of the drawn button does not react.
bool BrowseLineEdit::OverButton(QPoint pos) const {
    const QRect client = ClientRect();
    return pos.x() - client.left() > client.width() - buttonWidth_;
}

bool BrowseLineEdit::DefaultButtonTakesEnter() const {
    const auto buttons = window()->findChildren<QPushButton*>();
    return std::any_of(buttons.begin(), buttons.end(), [](const QPushButton* button) {
        return button->isDefault() && button->isVisible() && button->isEnabled();
    });
}

void BrowseLineEdit::ReadButtonWidth() {
    buttonWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // Text never runs under the button.
    setTextMargins(0, 0, buttonWidth_, 0);
    button_->setGeometry(ButtonRect());
}

void BrowseLineEdit::SetButtonPressed(bool pressed) {
    if (buttonPressed_ == pressed)
        return;
    buttonPressed_ = pressed;
    update();
}

// The button comes up before its handler runs, so it does not stay drawn pressed behind a dialog
// that the handler opens.
void BrowseLineEdit::Click(QPoint pos) {
    const bool onButton = buttonPressed_ && ButtonRect().contains(pos);
    SetButtonPressed(false);
    if (onButton)
        emit buttonClicked();
    else
        emit clicked();
}

void BrowseLineEdit::PaintButton() {
    QPainter painter(this);
    const QRect strip = ButtonRect();
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = strip;
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option.state |= buttonPressed_ ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
    painter.fillRect(strip.adjusted(3, 3, -3, -3), palette().color(QPalette::Button));

    const QColor dots = isEnabled() ? palette().color(QPalette::ButtonText)
                                    : palette().color(QPalette::Disabled, QPalette::Text);
    const QRect client = ClientRect();
    const int shift = buttonPressed_ ? 1 : 0;
    const int left = client.left() + client.width() - buttonWidth_ / 2 - 5 + shift;
    const int top = client.top() + client.height() - 6 + shift;
    for (int dot = 0; dot < 3; ++dot)
        painter.fillRect(left + 4 * dot, top, 2, 2, dots);
}
