// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>

// The program's pictures, drawn in code so they stay sharp and need no image files: the
// wizard's side picture and the window icon.
namespace WizardArt {

// A wizard in a starred robe lifting a wand over a shelf of linked books (111 x 224).
QPixmap SidePicture();
// A shelf of books joined by a chain link.
QIcon WindowIcon();
// The window icon's picture on a 32 x 32 square; the installed icons are drawn from it too.
void PaintIcon(QPainter& painter);

} // namespace WizardArt
