// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <string_view>

// A site icon made fit for a page: whatever the browser or the tree gave (PNG, ICO, GIF, JPEG,
// BMP, SVG) must decode as an image, be no larger than MaxBytes and come out no more than MaxSide
// pixels a side; it is kept as PNG. An SVG is drawn into a picture, so no script or reference to
// another file of it ever reaches a page.
class IconImage {
public:
    static constexpr qsizetype MaxBytes = qsizetype{256} * 1024;
    static constexpr int MaxSide = 256;

    // The icon as PNG, or nothing when the bytes are not an icon a page may show.
    static std::optional<QByteArray> Checked(const QByteArray& bytes);

    // The name a tree keeps a checked icon under: its content's hash, so each is kept once.
    static std::string FileName(const QByteArray& png);

    // The bytes of a "data:image/...;base64," address; nothing when it is not one, is not
    // base64 or is too large to hold an icon.
    static std::optional<QByteArray> FromDataUri(std::string_view uri);
};
