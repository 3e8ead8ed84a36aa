// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorValue.h"

#include "platform/SystemColors.h"

namespace ColorValue {

QColor ToQColor(StoredColor color) {
    color = SystemColors::Resolve(color);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

StoredColor FromQColor(const QColor& color) {
    return static_cast<StoredColor>(color.red() | color.green() << 8 | color.blue() << 16);
}

QString HexName(StoredColor color) {
    return ToQColor(color).name(QColor::HexRgb).toUpper();
}

} // namespace ColorValue
