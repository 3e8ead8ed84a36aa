// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {

constexpr int FrameMilliseconds = 70;

} // namespace

ProgressAnimation::ProgressAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(48, 50);
    setAttribute(Qt::WA_TranslucentBackground);
    timer_.setInterval(FrameMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % FrameCount;
        update();
    });
}

void ProgressAnimation::Start() {
    timer_.start();
}

void ProgressAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawFolder(painter);
    DrawGlass(painter);
}

void ProgressAnimation::DrawFolder(QPainter& painter) const {
    painter.setPen(QPen(QColor(0x9A, 0x6B, 0x12), 1));
    painter.setBrush(QColor(0xF2, 0xC2, 0x4B));
    QPainterPath back;
    back.moveTo(4, 20);
    back.lineTo(4, 14);
    back.lineTo(16, 14);
    back.lineTo(19, 17);
    back.lineTo(40, 17);
    back.lineTo(40, 20);
    painter.drawPath(back);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(0x88, 0x88, 0x88), 1));
    for (int page = 0; page < 3; ++page)
        painter.drawRect(QRectF(9 + page * 8, 11 + page * 2, 12, 16));
    painter.setPen(QPen(QColor(0x9A, 0x6B, 0x12), 1));
    painter.setBrush(QColor(0xF8, 0xD3, 0x6A));
    painter.drawRoundedRect(QRectF(3, 22, 38, 22), 2, 2);
}

// The glass circles over the folder once per loop of the animation.
void ProgressAnimation::DrawGlass(QPainter& painter) const {
    const double angle = 2 * std::numbers::pi * frame_ / FrameCount;
    const QPointF centre(24 + 9 * std::cos(angle), 26 + 6 * std::sin(angle));
    painter.setPen(QPen(QColor(0x3C, 0x3C, 0x46), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(5.5, 5.5), centre + QPointF(12, 12));
    painter.setPen(QPen(QColor(0x3C, 0x3C, 0x46), 2));
    painter.setBrush(QColor(0xBF, 0xE3, 0xFF, 170));
    painter.drawEllipse(centre, 7, 7);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    painter.drawArc(QRectF(centre.x() - 4.5, centre.y() - 4.5, 9, 9), 100 * 16, 70 * 16);
}
