#include "GifWriter.h"

#include <QHash>
#include <QVector>

namespace kelvara::generator {
namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClear = 1 << kMinCodeSize;
constexpr int kEnd = kClear + 1;
constexpr int kMaxCodes = 4096;

// A 6 x 6 x 6 colour cube and a ramp of blue-greys, which the banner's
// colours are drawn from.
QVector<QRgb> Palette()
{
    QVector<QRgb> colours;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours << qRgb(r * 51, g * 51, b * 51);
    while (colours.size() < 256) {
        const int step = int(colours.size()) - 216;
        colours << qRgb(10 + step * 5, 20 + step * 5, 40 + step * 5);
    }
    return colours;
}

class BitPacker {
public:
    void Put(int code, int width)
    {
        m_buffer |= quint32(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_bits > 0)
            m_bytes.append(char(m_buffer & 0xFF));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_buffer = 0;
    int m_bits = 0;
};

QByteArray Lzw(const QImage& indexed)
{
    BitPacker out;
    QHash<quint32, int> table;
    int width = kMinCodeSize + 1;
    int next = kEnd + 1;
    out.Put(kClear, width);
    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int pixel = line[x];
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            const quint32 key = quint32(prefix) << 8 | quint32(pixel);
            if (const auto found = table.constFind(key); found != table.constEnd()) {
                prefix = *found;
                continue;
            }
            out.Put(prefix, width);
            if (next < kMaxCodes) {
                table.insert(key, next);
                if (next == (1 << width) && width < 12)
                    ++width;
                ++next;
            } else {
                out.Put(kClear, width);
                table.clear();
                width = kMinCodeSize + 1;
                next = kEnd + 1;
            }
            prefix = pixel;
        }
    }
    out.Put(prefix, width);
    out.Put(kEnd, width);
    return out.Finish();
}

void PutShort(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void PutBlocks(QByteArray& out, const QByteArray& data)
{
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
}

} // namespace

QByteArray EncodeGif(const QList<QImage>& frames, int delayCs)
{
    if (frames.isEmpty())
        return {};
    const QVector<QRgb> palette = Palette();
    const QSize size = frames.first().size();
    QByteArray out("GIF89a");
    PutShort(out, size.width());
    PutShort(out, size.height());
    out.append(char(0xF7)); // global palette of 256 colours
    out.append(char(0));
    out.append(char(0));
    for (const QRgb colour : palette) {
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever
    for (const QImage& frame : frames) {
        const QImage indexed = frame.convertToFormat(QImage::Format_RGB32)
                                   .convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
        out.append("\x21\xF9\x04\x00", 4);
        PutShort(out, delayCs);
        out.append("\x00\x00", 2);
        out.append(char(0x2C));
        PutShort(out, 0);
        PutShort(out, 0);
        PutShort(out, size.width());
        PutShort(out, size.height());
        out.append(char(0));
        out.append(char(kMinCodeSize));
        PutBlocks(out, Lzw(indexed));
    }
    out.append(char(0x3B));
    return out;
}

} // namespace kelvara::generator
