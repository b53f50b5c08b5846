#include "PngWriter.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <array>

namespace kelvara::generator {

namespace {

constexpr int kHighestCompression = 9;
constexpr char kFilterNone = 0;

std::uint32_t Crc32(const QByteArray& bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFFU] ^ (crc >> 8U);
    return crc ^ 0xFFFFFFFFU;
}

QByteArray BigEndian(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray Chunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type, 4) + data;
    return BigEndian(static_cast<std::uint32_t>(data.size())) + typed + BigEndian(Crc32(typed));
}

// Each row: the filter's byte ("None"), then the row as it is.
QByteArray UnfilteredRows(const QImage& image, int bytesPerPixel)
{
    const qsizetype rowBytes = qsizetype(image.width()) * bytesPerPixel;
    QByteArray rows;
    rows.reserve((rowBytes + 1) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        rows.append(kFilterNone);
        rows.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    }
    return rows;
}

} // namespace

bool WriteFastPng(const QImage& image, const QString& path)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage pixels = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    constexpr char kColourRgb = 2;
    constexpr char kColourRgba = 6;
    QByteArray header = BigEndian(static_cast<std::uint32_t>(pixels.width()))
        + BigEndian(static_cast<std::uint32_t>(pixels.height()));
    header += QByteArray::fromRawData("\x08", 1); // bits per channel
    header += alpha ? kColourRgba : kColourRgb;
    header += QByteArray(3, '\0'); // deflate, filter method 0 (each row names its filter), no interlace
    // qCompress puts the uncompressed size before the zlib stream; PNG wants the stream alone.
    const QByteArray stream = qCompress(UnfilteredRows(pixels, alpha ? 4 : 3), kHighestCompression).mid(4);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", stream)
        + Chunk("IEND", QByteArray());
    return file.write(png) == png.size() && file.flush();
}

} // namespace kelvara::generator
