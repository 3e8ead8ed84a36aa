// SPDX-License-Identifier: GPL-3.0-or-later
#include "WizardArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

namespace WizardArt {

namespace {

const QColor Night(0x1B, 0x2A, 0x5C);
const QColor Dusk(0x5B, 0x3F, 0x8C);
const QColor Robe(0x2E, 0x4B, 0xA8);
const QColor RobeShade(0x22, 0x36, 0x7E);
const QColor Gold(0xF5, 0xC8, 0x42);
const QColor Skin(0xF6, 0xD2, 0xB0);
const QColor Beard(0xF4, 0xF4, 0xF8);
const QColor Wood(0x8A, 0x5A, 0x2B);

void DrawStar(QPainter& painter, QPointF centre, double radius, const QColor& color) {
    QPainterPath star;
    for (int point = 0; point < 10; ++point) {
        const double length = point % 2 == 0 ? radius : radius * 0.45;
        const double angle = -std::numbers::pi / 2 + point * std::numbers::pi / 5;
        const QPointF corner = centre + QPointF(length * std::cos(angle), length * std::sin(angle));
        point == 0 ? star.moveTo(corner) : star.lineTo(corner);
    }
    star.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(star);
}

void DrawSky(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, Night);
    sky.setColorAt(1, Dusk);
    painter.fillRect(area, sky);
    const std::array<QPointF, 9> stars{{{12, 14},
                                        {88, 10},
                                        {100, 40},
                                        {20, 52},
                                        {70, 28},
                                        {9, 98},
                                        {101, 86},
                                        {46, 8},
                                        {94, 128}}};
    for (std::size_t i = 0; i < stars.size(); ++i)
        DrawStar(painter, stars[i], i % 3 == 0 ? 3.2 : 2.0, QColor(255, 250, 220, 210));
}

void DrawRobe(QPainter& painter) {
    QPainterPath robe;
    robe.moveTo(40, 86);
    robe.cubicTo(30, 120, 22, 150, 16, 180);
    robe.lineTo(84, 180);
    robe.cubicTo(78, 150, 72, 120, 64, 86);
    robe.closeSubpath();
    QLinearGradient cloth(16, 0, 84, 0);
    cloth.setColorAt(0, RobeShade);
    cloth.setColorAt(0.5, Robe);
    cloth.setColorAt(1, RobeShade);
    painter.setPen(QPen(RobeShade.darker(130), 1));
    painter.setBrush(cloth);
    painter.drawPath(robe);
    for (const QPointF spot :
         {QPointF(34, 128), QPointF(58, 112), QPointF(46, 156), QPointF(68, 160), QPointF(28, 168)})
        DrawStar(painter, spot, 4, Gold);
}

void DrawHeadAndHat(QPainter& painter) {
    painter.setPen(QPen(Skin.darker(130), 1));
    painter.setBrush(Skin);
    painter.drawEllipse(QPointF(52, 78), 11, 11);
    QPainterPath beard;
    beard.moveTo(42, 80);
    beard.cubicTo(42, 104, 52, 114, 52, 114);
    beard.cubicTo(52, 114, 62, 104, 62, 80);
    beard.cubicTo(57, 86, 47, 86, 42, 80);
    painter.setPen(QPen(QColor(0xC8, 0xC8, 0xD4), 1));
    painter.setBrush(Beard);
    painter.drawPath(beard);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x33, 0x2A, 0x22));
    painter.drawEllipse(QPointF(48, 76), 1.4, 1.4);
    painter.drawEllipse(QPointF(56, 76), 1.4, 1.4);

    QPainterPath hat;
    hat.moveTo(34, 70);
    hat.lineTo(70, 70);
    hat.lineTo(58, 34);
    hat.quadTo(54, 22, 66, 16);
    hat.quadTo(50, 20, 48, 36);
    hat.closeSubpath();
    painter.setPen(QPen(RobeShade.darker(130), 1));
    painter.setBrush(Robe);
    painter.drawPath(hat);
    painter.setBrush(RobeShade);
    painter.drawRoundedRect(QRectF(30, 66, 44, 7), 3, 3);
    DrawStar(painter, QPointF(53, 52), 4.5, Gold);
}

void DrawWand(QPainter& painter) {
    painter.setPen(QPen(RobeShade.darker(120), 1));
    painter.setBrush(Robe);
    QPainterPath sleeve;
    sleeve.moveTo(64, 92);
    sleeve.quadTo(80, 96, 84, 84);
    sleeve.lineTo(78, 80);
    sleeve.quadTo(74, 88, 62, 86);
    sleeve.closeSubpath();
    painter.drawPath(sleeve);
    painter.setBrush(Skin);
    painter.drawEllipse(QPointF(82, 81), 4, 4);
    painter.setPen(QPen(Wood, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(80, 86), QPointF(94, 58));
    QRadialGradient glow(QPointF(95, 55), 14);
    glow.setColorAt(0, QColor(255, 244, 180, 230));
    glow.setColorAt(1, QColor(255, 244, 180, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(95, 55), 14, 14);
    DrawStar(painter, QPointF(95, 55), 6, Gold.lighter(115));
}

void DrawChainLink(QPainter& painter, const QRectF& box, const QColor& color, double width) {
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const double w = box.width() * 0.62;
    const double h = box.height() * 0.5;
    const double r = h / 2;
    painter.drawRoundedRect(QRectF(box.left(), box.center().y() - h / 2, w, h), r, r);
    painter.drawRoundedRect(QRectF(box.right() - w, box.center().y() - h / 2, w, h), r, r);
}

void DrawShelf(QPainter& painter) {
    const std::array<QColor, 6> spines{{QColor(0xD9, 0x4B, 0x3D), QColor(0x3A, 0x9D, 0x5D),
                                        QColor(0xE8, 0xA3, 0x2E), QColor(0x3B, 0x7D, 0xD8),
                                        QColor(0x9C, 0x4D, 0xC7), QColor(0x2F, 0xB3, 0xAE)}};
    double left = 10;
    for (std::size_t i = 0; i < spines.size(); ++i) {
        const double height = 22.0 + static_cast<double>((i * 7) % 9);
        painter.setPen(QPen(spines[i].darker(140), 1));
        painter.setBrush(spines[i]);
        painter.drawRect(QRectF(left, 202 - height, 13, height));
        painter.setPen(QPen(spines[i].lighter(150), 1));
        painter.drawLine(QPointF(left + 3, 202 - height + 4), QPointF(left + 10, 202 - height + 4));
        left += 15;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Wood);
    painter.drawRect(QRectF(4, 202, 103, 6));
    painter.setBrush(Wood.darker(140));
    painter.drawRect(QRectF(4, 208, 103, 2));
    DrawChainLink(painter, QRectF(36, 211, 38, 12), Gold, 2.2);
}

} // namespace

QPixmap SidePicture() {
    QPixmap picture(111, 224);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawSky(painter, QRectF(0, 0, 111, 224));
    painter.fillRect(QRectF(0, 180, 111, 44), QColor(0x2A, 0x1F, 0x4A));
    DrawRobe(painter);
    DrawHeadAndHat(painter);
    DrawWand(painter);
    DrawShelf(painter);
    return picture;
}

QIcon WindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        PaintIcon(painter);
        icon.addPixmap(picture);
    }
    return icon;
}

void PaintIcon(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Robe);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    const std::array<QColor, 4> spines{{QColor(0xD9, 0x4B, 0x3D), QColor(0xE8, 0xA3, 0x2E),
                                        QColor(0x3A, 0x9D, 0x5D), QColor(0x2F, 0xB3, 0xAE)}};
    for (std::size_t i = 0; i < spines.size(); ++i) {
        painter.setBrush(spines[i]);
        const double height = i % 2 == 0 ? 13 : 11;
        painter.drawRect(QRectF(6 + 5.2 * static_cast<double>(i), 17 - height, 4.2, height));
    }
    painter.setBrush(Wood.lighter(130));
    painter.drawRect(QRectF(4, 17, 24, 2.5));
    DrawChainLink(painter, QRectF(7, 20, 18, 8), Gold, 2);
}

} // namespace WizardArt
