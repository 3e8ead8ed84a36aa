#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn in code so they stay sharp and need no image files: the
// wizard's side picture and the window icon.
namespace WizardArt {

// A wizard in a starred robe lifting a wand over a shelf of linked books (111 x 224).
QPixmap SidePicture();
// A shelf of books joined by a chain link.
QIcon WindowIcon();

} // namespace WizardArt
