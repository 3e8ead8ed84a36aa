// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Names for screen readers, taken from what the window already shows.
namespace AccessibleNames {

// A caption as a screen reader should say it: without the access-key mark ("(&G)" or "&"), the
// arrows of "< Back" and "Next >", and runs of blanks or line breaks.
QString Spoken(QString caption);

} // namespace AccessibleNames
