// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconImage.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLatin1StringView>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>
#include <mutex>
#include <zlib.h>

namespace {

// Qt's image decoders report a damaged image as a warning on standard error. A damaged icon is
// counted where it is met, never reported there, so messages raised while this thread decodes
// an icon are dropped; every other message goes where it went before.
thread_local bool decodingIcon = false;
QtMessageHandler earlierHandler = nullptr;

void HandleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (decodingIcon && type != QtFatalMsg)
        return;
    if (earlierHandler != nullptr)
        earlierHandler(type, context, text);
}

class Quiet {
public:
    Quiet() {
        static std::once_flag installed;
        std::call_once(installed, [] { earlierHandler = qInstallMessageHandler(HandleMessage); });
        decodingIcon = true;
    }
    ~Quiet() { decodingIcon = false; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;
};

constexpr std::string_view PngStart = "\x89PNG\r\n\x1a\n";
// The side an SVG is drawn at: twice the size a page shows an icon, for sharp screens.
constexpr int SvgSide = 64;
// The one image of a set (an ICO holds several) a page shows best: the nearest to this.
constexpr int PreferredSide = 32;

quint32 BigEndian(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = at; i < at + 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// libpng writes its own errors (a file cut short, damaged compressed data, a bad row filter)
// straight to standard error, past Qt's messages. So a PNG is walked first: every chunk whole,
// its checksum right, the image data inflating to at least the rows the header promises, and
// each row of a plain (not interlaced) image starting with a known filter. Only then does Qt
// decode it.
bool PngLooksWhole(const QByteArray& png, QSize* size = nullptr) {
    constexpr qsizetype headerSize = 8 + 8 + 13 + 4;
    if (png.size() < headerSize || !png.startsWith(QByteArray(PngStart.data(), 8)) ||
        png.mid(12, 4) != "IHDR")
        return false;
    const quint32 width = BigEndian(png, 16);
    const quint32 height = BigEndian(png, 20);
    const int depth = static_cast<unsigned char>(png[24]);
    const int colour = static_cast<unsigned char>(png[25]);
    const bool interlaced = png[28] != 0;
    constexpr int channelsByColour[] = {1, 0, 3, 1, 2, 0, 4};
    if (width == 0 || height == 0 || width > 4096 || height > 4096 || colour > 6 ||
        channelsByColour[colour] == 0 || depth == 0 || depth > 16)
        return false;
    QByteArray data;
    bool ended = false;
    for (qsizetype at = 8; !ended;) {
        if (at + 12 > png.size())
            return false;
        const quint32 length = BigEndian(png, at);
        if (length > static_cast<quint32>(png.size() - at - 12))
            return false;
        const QByteArray typeAndData = png.mid(at + 4, 4 + length);
        const auto* bytes = reinterpret_cast<const Bytef*>(typeAndData.constData());
        if (crc32(0, bytes, static_cast<uInt>(typeAndData.size())) !=
            BigEndian(png, at + 8 + length))
            return false;
        ended = typeAndData.startsWith("IEND");
        if (typeAndData.startsWith("IDAT"))
            data += typeAndData.mid(4);
        at += 12 + length;
    }
    const quint64 rowBytes = (quint64{width} * channelsByColour[colour] * depth + 7) / 8;
    const quint64 expected = (rowBytes + 1) * height;
    QByteArray rows(static_cast<qsizetype>(expected), '\0');
    auto inflated = static_cast<uLongf>(expected);
    auto used = static_cast<uLong>(data.size());
    const int status = uncompress2(reinterpret_cast<Bytef*>(rows.data()), &inflated,
                                   reinterpret_cast<const Bytef*>(data.constData()), &used);
    if ((status != Z_OK && status != Z_BUF_ERROR) || inflated < expected)
        return false;
    for (quint64 row = 0; !interlaced && row < height; ++row)
        if (static_cast<unsigned char>(rows[static_cast<qsizetype>(row * (rowBytes + 1))]) > 4)
            return false;
    if (size != nullptr)
        *size = QSize(static_cast<int>(width), static_cast<int>(height));
    return true;
}

quint32 LittleEndian(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = at + 3; i >= at; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// An ICO file may hold PNG images; each must pass the same walk before Qt reads the file.
bool IcoPngsLookWhole(const QByteArray& ico) {
    if (ico.size() < 6 || !ico.startsWith(QByteArray("\0\0\1\0", 4)))
        return true;
    const int count = static_cast<unsigned char>(ico[4]) | static_cast<unsigned char>(ico[5]) << 8;
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const qsizetype entry = 6 + 16 * i;
        const quint32 size = LittleEndian(ico, entry + 8);
        const quint32 offset = LittleEndian(ico, entry + 12);
        if (offset > static_cast<quint32>(ico.size()) || size > ico.size() - offset)
            return false;
        const QByteArray image = ico.mid(offset, size);
        if (image.startsWith(QByteArray(PngStart.data(), 8)) && !PngLooksWhole(image))
            return false;
    }
    return true;
}

bool LooksLikeSvg(const QByteArray& bytes) {
    return bytes.trimmed().startsWith('<') && bytes.contains("<svg");
}

std::optional<QImage> DrawSvg(const QByteArray& bytes) {
    // Text needs the fonts of a graphical application; an icon's text is not worth starting one.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr &&
        bytes.contains("<text"))
        return std::nullopt;
    QSvgRenderer renderer(bytes);
    if (!renderer.isValid())
        return std::nullopt;
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = QSize(SvgSide, SvgSide);
    size.scale(SvgSide, SvgSide, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The image of the file nearest PreferredSide pixels, the larger one of two as near.
std::optional<QImage> ReadRaster(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage best;
    const int count = std::max(reader.imageCount(), 1);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            break;
        const int distance = std::abs(image.width() - PreferredSide);
        const int bestDistance = std::abs(best.width() - PreferredSide);
        if (best.isNull() || distance < bestDistance ||
            (distance == bestDistance && image.width() > best.width()))
            best = image;
    }
    if (best.isNull() || best.width() <= 0 || best.height() <= 0)
        return std::nullopt;
    return best;
}

QByteArray Png(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

std::optional<QByteArray> IconImage::Checked(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > MaxBytes)
        return std::nullopt;
    const bool isPng = bytes.startsWith(QByteArray(PngStart.data(), 8));
    QSize pngSize;
    if ((isPng && !PngLooksWhole(bytes, &pngSize)) || !IcoPngsLookWhole(bytes))
        return std::nullopt;
    // A PNG whose every row was inflated and checked above, and that fits, is kept as it is:
    // decoding it again would only cost time (a page may have thousands).
    if (isPng && pngSize.width() <= MaxSide && pngSize.height() <= MaxSide)
        return bytes;
    const Quiet quiet;
    const bool svg = LooksLikeSvg(bytes);
    const std::optional<QImage> image = svg ? DrawSvg(bytes) : ReadRaster(bytes);
    if (!image)
        return std::nullopt;
    const bool fits = image->width() <= MaxSide && image->height() <= MaxSide;
    const QByteArray png =
        Png(fits ? *image
                 : image->scaled(MaxSide, MaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    if (png.isEmpty() || png.size() > MaxBytes)
        return std::nullopt;
    return png;
}

std::string IconImage::FileName(const QByteArray& png) {
    return QCryptographicHash::hash(png, QCryptographicHash::Sha256)
               .toHex()
               .left(32)
               .toStdString() +
           ".png";
}

std::optional<QByteArray> IconImage::FromDataUri(std::string_view uri) {
    const std::size_t comma = uri.find(',');
    const QLatin1StringView scheme(uri.data(), static_cast<qsizetype>(uri.size()));
    if (!scheme.startsWith(QLatin1StringView("data:image/"), Qt::CaseInsensitive) ||
        comma == std::string_view::npos)
        return std::nullopt;
    const std::string_view header = uri.substr(0, comma);
    const std::string_view data = uri.substr(comma + 1);
    if (!header.ends_with(";base64") || data.size() > (MaxBytes / 3 + 1) * 4)
        return std::nullopt;
    auto decoded = QByteArray::fromBase64Encoding(
        QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size())),
        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return std::nullopt;
    return decoded.decoded;
}
