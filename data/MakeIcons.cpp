// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the application icon from the program's own window icon, into the hicolor theme's
// folders under the folder given: a scalable SVG and a PNG of each size given.
#include "ui/WizardArt.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

namespace {

bool WriteScalable(const QString& themeFolder, const QString& name) {
    const QString folder = themeFolder + "/scalable/apps";
    QDir().mkpath(folder);
    QSvgGenerator svg;
    svg.setFileName(folder + "/" + name + ".svg");
    svg.setTitle("Linkshelf");
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    WizardArt::PaintIcon(painter);
    return painter.end();
}

bool WriteBitmap(const QString& themeFolder, const QString& name, int size) {
    const QString folder = themeFolder + QString("/%1x%1/apps").arg(size);
    QDir().mkpath(folder);
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    WizardArt::PaintIcon(painter);
    painter.end();
    return picture.save(folder + "/" + name + ".png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: MakeIcons THEME-FOLDER NAME [SIZE...]\n");
        return 2;
    }
    const QString themeFolder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool written = WriteScalable(themeFolder, name);
    for (int i = 3; i < argc; ++i)
        written = WriteBitmap(themeFolder, name, QString(argv[i]).toInt()) && written;
    return written ? 0 : 1;
}
