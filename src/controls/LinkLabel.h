// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>
#include <string>

// A text label that looks and acts like a web link: hand pointer, bold underlined text in blue,
// ActiveColor while the pointer is over it, and a click opens its address with the program the
// desktop associates with it. Tab brings the focus to it, where Space or Enter opens it too; a
// screen reader hears it as a link.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // The address a click opens; when empty, the caption is opened. Setting it also sets the
    // caption while the caption still equals the label's object name.
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url);
    // Purple by default.
    QColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(const QColor& color) { activeColor_ = color; }
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

signals:
    // A click, before the address is opened.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Click();

    std::string url_;
    QColor activeColor_{128, 0, 128};
    QColor savedColor_;
    bool pressed_ = false;
};
