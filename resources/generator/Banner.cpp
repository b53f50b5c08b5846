// The animated banner of the main window: the twelve output kinds pass by
// one after another under the product's name.
#include "Canvas.h"
#include "Drawings.h"

#include <QPainterPath>
#include <cmath>

namespace kelvara::generator {
namespace {

constexpr int kWidth = 519;
constexpr int kHeight = 75;
constexpr int kFramesPerMessage = 10;

const char* const kMessages[] = {
    "Convert to MP4, MKV, WebM, AV1, AVI and DVD",
    "Stills and GIF animations from any video",
    "Phones, tablets, TVs, the web and devices",
    "MP3, FLAC, Opus, AAC, Vorbis, ALAC and more",
    "Trim every file in the built-in preview",
};

void Background(QPainter& p, int frame)
{
    p.fillRect(QRect(0, 0, kWidth, kHeight), QColor(20, 30, 51));
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < 3; ++k) {
        QPainterPath wave;
        for (int x = 0; x <= kWidth; x += 3) {
            const double phase = frame * 0.2 + k * 1.7;
            const QPointF point(x, kHeight * 0.62 + std::sin(x / (30.0 + k * 12) + phase) * (6 + k * 3));
            if (x == 0)
                wave.moveTo(point);
            else
                wave.lineTo(point);
        }
        p.setPen(QPen(QColor(51, 102, 153 + k * 25), 1.5));
        p.drawPath(wave);
    }
}

QImage Frame(int frame)
{
    QImage image = NewOpaqueImage(kWidth, kHeight);
    QPainter p(&image);
    Background(p, frame);
    Text(p, QRectF(14, 6, 300, 30), QStringLiteral("Kelvara"), Font(24, true), Qt::white,
        Qt::AlignLeft | Qt::AlignVCenter);
    const int message = frame / kFramesPerMessage;
    const int step = frame % kFramesPerMessage;
    // The message slides in from the right during the first steps, then rests.
    const int offset = std::max(0, 3 - step) * 60;
    Text(p, QRectF(160 + offset, 10, 350, 24), QString::fromLatin1(kMessages[message]), Font(14, true),
        QColor(204, 204, 255), Qt::AlignLeft | Qt::AlignVCenter);
    Text(p, QRectF(14, 50, 490, 20), QStringLiteral("Audio & Video Batch Converter"), Font(11, false),
        QColor(153, 204, 255), Qt::AlignRight | Qt::AlignVCenter);
    return image;
}

} // namespace

QList<QImage> BannerFrames()
{
    QList<QImage> frames;
    const int count = int(std::size(kMessages)) * kFramesPerMessage;
    for (int frame = 0; frame < count; ++frame)
        frames << Frame(frame);
    return frames;
}

} // namespace kelvara::generator
