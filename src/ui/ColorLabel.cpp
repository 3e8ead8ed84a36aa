#include "ColorLabel.h"

#include "ColorValue.h"

#include <QMouseEvent>

ColorLabel::ColorLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    QFont underlined = font();
    underlined.setUnderline(true);
    underlined.setPixelSize(13);
    setFont(underlined);
    SetColor(color_);
}

void ColorLabel::SetColor(TColor color) {
    color_ = color;
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, ColorValue::ToQColor(color));
    setPalette(shown);
}

void ColorLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        OnClick)
        OnClick(this);
}
