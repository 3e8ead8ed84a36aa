// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The font families installed on this machine, as a page's font list offers them.
class FontList {
public:
    // Each family once by its plain name, sorted without regard to case, plus the entry
    // "Default".
    static QStringList Families();
    // The plain names of families as the font database reports them: a family that two
    // foundries provide comes as "Nimbus Sans [URW ]" and "Nimbus Sans [urw]", a name no
    // browser matches.
    static QStringList PlainNames(const QStringList& families);
};
