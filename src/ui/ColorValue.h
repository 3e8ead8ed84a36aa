// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredColor.h"

#include <QColor>

// Converts between stored colour values (0x00BBGGRR, or a system colour) and Qt colours.
namespace ColorValue {

// The colour as it shows now; a system colour is looked up.
QColor ToQColor(StoredColor color);
// A plain colour value, as the colour dialog gives it.
StoredColor FromQColor(const QColor& color);
// The colour as it shows now, as a screen reader reads it out: "#RRGGBB".
QString HexName(StoredColor color);

} // namespace ColorValue
