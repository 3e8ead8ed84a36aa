// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <functional>
#include <string>

// A one-line text field with a small browse button, showing three dots, drawn inside its right
// end. Clicking that button, or pressing Enter in the field when no default button of the form
// takes it, raises OnButtonClick.
class BrowseLineEdit : public QLineEdit {
public:
    explicit BrowseLineEdit(QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(const std::string& text);

    // Width of the inner button: the style's scroll-bar width.
    int ButtonWidth() const { return buttonWidth_; }
    bool ButtonPressed() const { return buttonPressed_; }
    // The strip the inner button is drawn in, in the field's coordinates.
    QRect ButtonRect() const;

    std::function<void(QObject* sender)> OnButtonClick;
    // The ordinary click: the left button released over the field but not on the inner button.
    std::function<void(QObject* sender)> OnClick;
    // Raised first for every key that reaches the field, with its Qt::Key code; setting key to 0
    // stops the key there.
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect ClientRect() const;
    bool OverButton(QPoint pos) const;
    bool DefaultButtonTakesEnter() const;
    void ReadButtonWidth();
    void SetButtonPressed(bool pressed);
    void Click(QPoint pos);
    void PaintButton();

    int buttonWidth_ = 0;
    bool buttonPressed_ = false;
};
