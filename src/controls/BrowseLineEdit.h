// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <string>

class QPushButton;

// A one-line text field with a small browse button, showing three dots, drawn inside its right
// end. Clicking that button, pressing Enter in the field when no default button of the form
// takes it, or F4 or Alt+Down in the field, emits buttonClicked. Tab reaches the button right
// after the field, where Space or Enter presses it; a screen reader hears it as a push button.
class BrowseLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit BrowseLineEdit(QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(const std::string& text);

    // Width of the inner button: the style's scroll-bar width.
    int ButtonWidth() const { return buttonWidth_; }
    bool ButtonPressed() const { return buttonPressed_; }
    // The strip the inner button is drawn in, in the field's coordinates.
    QRect ButtonRect() const;
    // What a screen reader calls the button ("Browse..." until set).
    void SetButtonName(const QString& name);
    // The button's stand-in for the keyboard and screen readers; the mouse still goes to the
    // field, which draws the button.
    QPushButton* Button() const { return button_; }

signals:
    void buttonClicked();
    // The ordinary click: the left button released over the field but not on the inner button.
    void clicked();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QRect ClientRect() const;
    bool OverButton(QPoint pos) const;
    bool DefaultButtonTakesEnter() const;
    void ReadButtonWidth();
    void SetButtonPressed(bool pressed);
    void Click(QPoint pos);
    void PaintButton();

    QPushButton* button_{};
    int buttonWidth_ = 0;
    bool buttonPressed_ = false;
};
