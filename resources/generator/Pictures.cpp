#include "Canvas.h"
#include "Drawings.h"

#include <QPainterPath>
#include <cmath>

namespace kelvara::generator {

namespace {

// The product mark: a disc with a play triangle and two sound arcs.
void Mark(QPainter& p, QPointF centre, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.5);
    g.setColorAt(0, BlueLight);
    g.setColorAt(0.55, Blue);
    g.setColorAt(1, BlueDeep);
    p.setPen(QPen(BlueDeep.darker(150), 1));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    QPainterPath play;
    play.moveTo(centre + QPointF(-radius * 0.32, -radius * 0.42));
    play.lineTo(centre + QPointF(radius * 0.48, 0));
    play.lineTo(centre + QPointF(-radius * 0.32, radius * 0.42));
    play.closeSubpath();
    p.fillPath(play, Qt::white);
    QPainterPath sheen;
    sheen.addEllipse(
        QRectF(centre.x() - radius * 0.75, centre.y() - radius * 0.92, radius * 1.5, radius * 0.95));
    p.fillPath(sheen, QColor(255, 255, 255, 60));
    p.restore();
}

void Wordmark(QPainter& p, QPointF at, int size, QColor colour, QColor shadow)
{
    const QFont font = Font(size, true);
    EmbossedText(p, QRectF(at, QSizeF(size * 8, size * 1.4)), QStringLiteral("Kelvara"), font, colour, shadow,
        Qt::AlignLeft | Qt::AlignVCenter);
}

void Waves(QPainter& p, const QRectF& area, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < 5; ++k) {
        QPainterPath wave;
        for (int x = 0; x <= int(area.width()); x += 3) {
            const qreal y = area.center().y()
                + std::sin(x / (28.0 + k * 9) + k) * (area.height() / 2.6) * (0.4 + 0.15 * k);
            const QPointF pt(area.left() + x, y);
            if (x == 0)
                wave.moveTo(pt);
            else
                wave.lineTo(pt);
        }
        QColor c = colour;
        c.setAlpha(40 + k * 18);
        p.setPen(QPen(c, 1.2));
        p.drawPath(wave);
    }
    p.restore();
}

// A section heading drawn into the background: a small caption and a fine rule.
void Heading(QPainter& p, QPointF at, qreal width, const QString& text)
{
    Text(p, QRectF(at, QSizeF(width, 14)), text, Font(11, true), QColor(60, 68, 92),
        Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRectF(at.x(), at.y() + 15, width, 1), QColor(150, 160, 184, 160));
    p.fillRect(QRectF(at.x(), at.y() + 16, width, 1), QColor(255, 255, 255, 180));
}

} // namespace

QImage MainBackground()
{
    QImage image = NewImage(771, 572);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, 770, 563);
    QPainterPath outline;
    outline.addRoundedRect(body, 14, 14);
    p.setClipPath(outline);

    // Silver body, brushed, lighter at the top.
    p.fillRect(body, Vertical(body, QColor(232, 236, 243), QColor(196, 204, 219)));
    for (int y = 40; y < 564; y += 3)
        p.fillRect(QRectF(0, y, 771, 1), QColor(255, 255, 255, 10 + (y * 13) % 17));

    // Title band with the product name.
    const QRectF band(0, 0, 771, 40);
    QLinearGradient bandFill = Vertical(band, SlateLight, SlateDeep);
    bandFill.setColorAt(0.5, Slate);
    p.fillRect(band, bandFill);
    p.fillRect(QRectF(0, 0, 771, 19), QColor(255, 255, 255, 28));
    p.fillRect(QRectF(0, 40, 771, 1), QColor(22, 26, 38));
    p.fillRect(QRectF(0, 41, 771, 1), QColor(255, 255, 255, 150));
    Mark(p, QPointF(28, 20), 12);
    Wordmark(p, QPointF(46, 6), 20, Qt::white, QColor(20, 24, 34));
    Text(p, QRectF(140, 12, 240, 18), QStringLiteral("Audio & Video Batch Converter"), Font(11, false),
        QColor(200, 210, 232), Qt::AlignLeft | Qt::AlignVCenter);

    // Tool area left of the banner: START/STOP seat and the three list buttons.
    Recess(p, QRectF(12, 50, 212, 70), 8, QColor(214, 220, 232, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 130, 156, 60));
    p.drawEllipse(QRectF(27, 68, 54, 54));

    // The banner's frame.
    Recess(p, QRectF(229, 43, 521, 77), 4, QColor(16, 20, 30));

    // File list with its scroll bars right of and below it.
    Recess(p, QRectF(14, 124, 738, 153), 3, QColor(74, 82, 107));
    p.fillRect(QRectF(15, 125, 720, 135), Qt::white);

    // Preview, trim slider and transport deck.
    Recess(p, QRectF(13, 284, 302, 221), 4, QColor(10, 12, 18));
    const QRectF deck(13, 506, 302, 54);
    p.setPen(QPen(QColor(130, 140, 164), 1));
    p.setBrush(Vertical(deck, QColor(222, 227, 237), QColor(186, 194, 210)));
    p.drawRoundedRect(deck, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRoundedRect(QRectF(15, 508, 298, 12), 5, 5);

    // Settings panel below the tab strips.
    const QRectF panel(323, 312, 432, 192);
    p.setPen(QPen(QColor(118, 128, 154), 1));
    p.setBrush(Vertical(panel, QColor(246, 248, 252), QColor(222, 228, 238)));
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.fillRect(QRectF(324, 312, 430, 2), Blue);
    p.fillRect(QRectF(323, 284, 432, 28), QColor(220, 226, 236));

    // Output row: the folder field and the shut-down choice.
    Recess(p, QRectF(323, 510, 432, 48), 6, QColor(214, 220, 232, 170));
    Heading(p, QPointF(331, 514), 180, QStringLiteral("Output"));

    p.setClipping(false);
    // Rim of the window: a dark outline with a fine inner light line.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(36, 42, 58), 1.2));
    p.drawPath(outline);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawRoundedRect(body.adjusted(1.5, 41.5, -1.5, -1.5), 12, 12);
    p.end();
    return Flatten(image, QColor(196, 204, 219), White);
}

QImage Splash()
{
    QImage image = NewImage(359, 212);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, 359, 212);
    QLinearGradient g = Vertical(r, SlateLight, SlateDeep);
    g.setColorAt(0.45, Slate);
    p.fillRect(r, g);
    Waves(p, QRectF(0, 110, 359, 70), BlueLight);
    Mark(p, QPointF(52, 66), 30);
    Wordmark(p, QPointF(94, 40), 34, Qt::white, QColor(16, 20, 30));
    EmbossedText(p, QRectF(250, 53, 56, 20), QStringLiteral("Version"), Font(12, true), QColor(200, 200, 200),
        Brown, Qt::AlignRight | Qt::AlignVCenter);
    Text(p, QRectF(96, 86, 240, 18), QStringLiteral("Audio & Video Batch Converter"), Font(13, false),
        QColor(214, 224, 244), Qt::AlignLeft | Qt::AlignVCenter);
    Text(p, QRectF(0, 178, 359, 16), QStringLiteral("Loading the converter..."), Font(11, false),
        QColor(190, 200, 222), Qt::AlignCenter);
    Text(p, QRectF(0, 194, 354, 14), QStringLiteral("Tarvo"), Font(10, true), QColor(150, 162, 190),
        Qt::AlignRight | Qt::AlignVCenter);
    p.setPen(QPen(QColor(20, 24, 34), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
    p.end();
    return Opaque(image);
}

QImage AboutBackground()
{
    QImage image = NewImage(357, 263);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, 357, 263);
    p.fillRect(r, Vertical(r, QColor(242, 245, 250), QColor(210, 217, 230)));
    const QRectF band(0, 0, 357, 30);
    QLinearGradient bandFill = Vertical(band, SlateLight, SlateDeep);
    bandFill.setColorAt(0.5, Slate);
    p.fillRect(band, bandFill);
    p.fillRect(QRectF(0, 30, 357, 2), Blue);
    Text(p, QRectF(12, 0, 240, 30), QStringLiteral("About Kelvara"), Font(13, true), Qt::white,
        Qt::AlignLeft | Qt::AlignVCenter);
    Mark(p, QPointF(84, 112), 46);
    Waves(p, QRectF(10, 180, 337, 40), Blue);
    Wordmark(p, QPointF(176, 36), 24, Ink, Qt::white);
    Text(p, QRectF(206, 62, 98, 20), QStringLiteral("Version"), Font(12, true), QColor(60, 68, 92),
        Qt::AlignRight | Qt::AlignVCenter);
    Text(p, QRectF(150, 80, 52, 20), QStringLiteral("Web:"), Font(11, true), QColor(60, 68, 92),
        Qt::AlignRight | Qt::AlignVCenter);
    Text(p, QRectF(150, 103, 52, 20), QStringLiteral("Support:"), Font(11, true), QColor(60, 68, 92),
        Qt::AlignRight | Qt::AlignVCenter);
    Text(p, QRectF(150, 132, 196, 40),
        QStringLiteral("Converts audio and video files\nfor PCs, players and phones."), Font(11, false),
        QColor(70, 78, 100), Qt::AlignLeft | Qt::AlignTop);
    Text(p, QRectF(0, 236, 357, 20), QStringLiteral("Copyright \u00A9 Tarvo. All rights reserved."),
        Font(11, false), QColor(80, 88, 110), Qt::AlignCenter);
    p.setPen(QPen(QColor(36, 42, 58), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.end();
    return Opaque(image);
}

QImage PreviewPlaceholder()
{
    QImage image = NewImage(298, 217);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, 298, 217);
    QRadialGradient g(QPointF(149, 90), 200);
    g.setColorAt(0, QColor(44, 56, 84));
    g.setColorAt(1, QColor(10, 12, 20));
    p.fillRect(r, g);
    // Film strip edges.
    for (int x = 6; x < 298; x += 14) {
        p.fillRect(QRectF(x, 6, 7, 5), QColor(255, 255, 255, 30));
        p.fillRect(QRectF(x, 206, 7, 5), QColor(255, 255, 255, 30));
    }
    Mark(p, QPointF(149, 92), 36);
    Text(p, QRectF(0, 136, 298, 24), QStringLiteral("Kelvara"), Font(18, true), QColor(226, 234, 250));
    Text(p, QRectF(0, 162, 298, 18), QStringLiteral("Add a video to preview it here"), Font(11, false),
        QColor(150, 164, 196));
    p.end();
    return Opaque(image);
}

QImage StateIcons()
{
    QImage image = NewImage(80, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // 0 converting: two blue arrows chasing round.
    p.setPen(QPen(Blue, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 130 * 16);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 210 * 16, 130 * 16);
    QPainterPath heads;
    heads.moveTo(1.5, 6.5);
    heads.lineTo(5.5, 6.5);
    heads.lineTo(3.5, 9.5);
    heads.closeSubpath();
    heads.moveTo(14.5, 9.5);
    heads.lineTo(10.5, 9.5);
    heads.lineTo(12.5, 6.5);
    heads.closeSubpath();
    p.fillPath(heads, Blue);
    // 1 done: a green disc with a tick.
    p.setPen(QPen(QColor(28, 120, 40), 1));
    p.setBrush(Vertical(QRectF(16, 0, 16, 16), QColor(120, 210, 100), QColor(40, 150, 52)));
    p.drawEllipse(QRectF(17.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({ QPointF(20.5, 8), QPointF(23, 10.5), QPointF(27.5, 5.5) }));
    // 2 stopped: a red rounded square.
    p.setPen(QPen(QColor(140, 24, 20), 1));
    p.setBrush(Vertical(QRectF(32, 0, 16, 16), QColor(240, 110, 96), QColor(196, 36, 28)));
    p.drawRoundedRect(QRectF(34.5, 2.5, 11, 11), 2.5, 2.5);
    // 3 queued: a grey clock.
    p.setPen(QPen(QColor(96, 104, 124), 1.2));
    p.setBrush(QColor(236, 239, 245));
    p.drawEllipse(QRectF(49.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(70, 78, 100), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(56, 8), QPointF(56, 4.5));
    p.drawLine(QPointF(56, 8), QPointF(59, 9.5));
    // 4 failed: a red cross.
    p.setPen(QPen(QColor(120, 16, 12), 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(68, 4), QPointF(76, 12));
    p.drawLine(QPointF(76, 4), QPointF(68, 12));
    p.setPen(QPen(QColor(226, 40, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(68, 4), QPointF(76, 12));
    p.drawLine(QPointF(76, 4), QPointF(68, 12));
    p.end();
    return Flatten(image, QColor(236, 240, 246), White);
}

} // namespace kelvara::generator
