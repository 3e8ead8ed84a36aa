// SPDX-License-Identifier: GPL-3.0-or-later
// The icon checks over any bytes, as an image and as the text of a data address: an icon is
// refused or kept as a PNG of at most 256 pixels a side and 256 KiB, never a crash or a hang.
//
// Input: the bytes, as they are.

#include "FuzzInput.h"
#include "platform/IconImage.h"

#include <QCoreApplication>
#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static const QCoreApplication application(argc, argv);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QByteArray> decoded = IconImage::FromDataUri(bytes.toStdString());
    for (const QByteArray& given : {bytes, decoded.value_or(QByteArray())}) {
        const std::optional<QByteArray> kept = IconImage::Checked(given);
        if (!kept)
            continue;
        const QImage image = QImage::fromData(*kept, "PNG");
        Require(!image.isNull(), "a kept icon is a PNG");
        Require(image.width() <= IconImage::MaxSide && image.height() <= IconImage::MaxSide,
                "a kept icon fits");
        Require(kept->size() <= IconImage::MaxBytes, "a kept icon is small");
    }
    return 0;
}
