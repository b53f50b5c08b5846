#include "Canvas.h"
#include "Drawings.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>

namespace kelvara::generator {

QImage MessageTitle()
{
    QImage image = NewImage(397, 29);
    QPainter p(&image);
    const QRectF r(0, 0, 397, 29);
    QLinearGradient g = Vertical(r, QColor(250, 251, 254), QColor(204, 212, 228));
    g.setColorAt(0.5, QColor(231, 235, 244));
    p.fillRect(r, g);
    // A blue rule under the caption, fading out to the right.
    QLinearGradient rule = Horizontal(QRectF(0, 26, 397, 2), Blue, QColor(5, 132, 226, 0));
    rule.setColorAt(0.55, QColor(5, 132, 226, 160));
    p.fillRect(QRectF(0, 26, 397, 2), rule);
    p.fillRect(QRectF(0, 28, 397, 1), QColor(255, 255, 255, 160));
    p.end();
    return Opaque(image);
}

QImage MessageBody()
{
    QImage image = NewImage(372, 279);
    QPainter p(&image);
    const QRectF r(0, 0, 372, 279);
    p.fillRect(r, Vertical(r, QColor(243, 245, 249), QColor(222, 227, 236)));
    // A faint brushed grain so the surface does not look flat.
    for (int y = 0; y < 279; y += 2)
        p.fillRect(QRectF(0, y, 372, 1), QColor(255, 255, 255, (y * 7) % 23));
    p.end();
    return Opaque(image);
}

QImage FaceStrip()
{
    QImage image = NewImage(1, 18);
    QPainter p(&image);
    p.fillRect(
        QRectF(0, 0, 1, 18), Vertical(QRectF(0, 1, 1, 16), QColor(255, 255, 255), QColor(222, 228, 238)));
    p.fillRect(QRectF(0, 0, 1, 1), QColor(132, 142, 166));
    p.fillRect(QRectF(0, 1, 1, 1), QColor(214, 220, 232));
    p.fillRect(QRectF(0, 17, 1, 1), QColor(160, 168, 188));
    p.end();
    return Opaque(image);
}

QImage SelectionTile()
{
    QImage image = NewImage(54, 12);
    QPainter p(&image);
    p.fillRect(QRectF(0, 0, 54, 12), Vertical(QRectF(0, 0, 54, 12), BlueLight, Blue));
    p.end();
    return Opaque(image);
}

QImage DropArrow()
{
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    GlossyPanel(p, QRectF(0, 0, 16, 16), 3, Blue, false);
    QPainterPath arrow;
    arrow.moveTo(4.5, 6.5);
    arrow.lineTo(11.5, 6.5);
    arrow.lineTo(8, 10.5);
    arrow.closeSubpath();
    p.fillPath(arrow.translated(0, 1), QColor(0, 40, 90, 120));
    p.fillPath(arrow, Qt::white);
    p.end();
    return Flatten(image, QColor(236, 240, 246), White).convertToFormat(QImage::Format_Indexed8);
}

QImage ListTile()
{
    QImage image = NewImage(165, 21);
    QPainter p(&image);
    p.fillRect(QRectF(0, 0, 165, 21), QColor(246, 248, 252));
    // A fine row rhythm: one soft line per tile height, so scrolled rows keep their pattern.
    p.fillRect(QRectF(0, 20, 165, 1), QColor(229, 234, 243));
    p.fillRect(QRectF(0, 0, 165, 10), QColor(255, 255, 255, 120));
    p.end();
    return Opaque(image);
}

QImage CloseButton(bool hover)
{
    // The glyph keeps to the middle 16 pixels: the boxes that use it show it
    // in buttons narrower than the bitmap, centred.
    QImage image = NewImage(28, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    GlossyPanel(p, QRectF(6, 0, 16, 15), 4, hover ? QColor(214, 60, 48) : QColor(150, 158, 180), hover);
    QPen pen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(11, 4.5), QPointF(17, 10.5));
    p.drawLine(QPointF(17, 4.5), QPointF(11, 10.5));
    p.end();
    return Flatten(image, QColor(226, 230, 240), White);
}

QImage HeaderBackground()
{
    QImage image = NewImage(1, 16);
    QPainter p(&image);
    QLinearGradient g = Vertical(QRectF(0, 0, 1, 16), SlateLight, SlateDeep);
    g.setColorAt(0.5, Slate);
    p.fillRect(QRectF(0, 0, 1, 16), g);
    p.fillRect(QRectF(0, 0, 1, 1), QColor(150, 160, 186));
    p.end();
    return Opaque(image);
}

QImage HeaderSeparator(bool left)
{
    QImage image = HeaderBackground().scaled(2 * Scale(), 16 * Scale());
    image.setDevicePixelRatio(Scale());
    QPainter p(&image);
    p.fillRect(QRectF(left ? 0 : 0, 2, 1, 12), QColor(30, 34, 48));
    p.fillRect(QRectF(1, 2, 1, 12), QColor(136, 146, 172));
    p.end();
    return image;
}

QImage ScrollArrow(int width, int height, int direction)
{
    QImage image = NewImage(width, height);
    QPainter p(&image);
    p.fillRect(image.rect(), Slate);
    p.setRenderHint(QPainter::Antialiasing);
    GlossyPanel(p, QRectF(1, 1, width - 2, height - 2), 3, SlateLight, false);
    QPainterPath arrow;
    arrow.moveTo(-3.5, 2);
    arrow.lineTo(3.5, 2);
    arrow.lineTo(0, -2);
    arrow.closeSubpath();
    p.translate(width / 2.0, height / 2.0);
    p.rotate(90.0 * direction);
    p.fillPath(arrow, QColor(236, 240, 250));
    p.end();
    return Opaque(image);
}

QImage ScrollTrack(bool vertical)
{
    const int w = vertical ? 16 : 1;
    const int h = vertical ? 1 : 16;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    const QRectF r(0, 0, w, h);
    QLinearGradient g = vertical ? Horizontal(r, SlateDeep, Slate) : Vertical(r, SlateDeep, Slate);
    g.setColorAt(0.5, QColor(58, 65, 86));
    p.fillRect(r, g);
    p.end();
    return Opaque(image);
}

QImage ScrollThumb(bool vertical)
{
    const int w = vertical ? 15 : 26;
    const int h = vertical ? 26 : 15;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.fillRect(image.rect(), Slate);
    p.setRenderHint(QPainter::Antialiasing);
    GlossyPanel(p, QRectF(0.5, 0.5, w - 1, h - 1), 4, Blue, false);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    for (int i = -1; i <= 1; ++i) {
        if (vertical)
            p.drawLine(QPointF(4.5, h / 2.0 + i * 3), QPointF(w - 4.5, h / 2.0 + i * 3));
        else
            p.drawLine(QPointF(w / 2.0 + i * 3, 4.5), QPointF(w / 2.0 + i * 3, h - 4.5));
    }
    p.end();
    return Opaque(image);
}

QImage ScrollCorner()
{
    QImage image = NewImage(15, 16);
    QPainter p(&image);
    p.fillRect(image.rect(), Slate);
    p.setPen(QColor(140, 150, 176));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(13 - i * 4, 14), QPointF(13, 14 - i * 4));
    p.end();
    return Opaque(image);
}

QImage SliderTrack()
{
    QImage image = NewImage(6, 11);
    QPainter p(&image);
    p.fillRect(QRectF(0, 0, 6, 11), QColor(210, 216, 228));
    p.fillRect(QRectF(0, 3, 6, 5), Vertical(QRectF(0, 3, 6, 5), SlateDeep, Slate));
    p.fillRect(QRectF(0, 2, 6, 1), QColor(150, 158, 178));
    p.fillRect(QRectF(0, 8, 6, 1), QColor(250, 251, 255));
    p.end();
    return Opaque(image);
}

QImage SliderThumb(bool left)
{
    QImage image = NewImage(13, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A pointer that leans towards the range it encloses.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(1.5, 0.5, 10, 12), 2.5, 2.5);
    QPainterPath tip;
    tip.moveTo(left ? 11.5 : 1.5, 10);
    tip.lineTo(6.5, 16.5);
    tip.lineTo(left ? 1.5 : 11.5, 10);
    shape = shape.united(tip);
    p.setPen(QPen(BlueDeep.darker(140), 1));
    p.setBrush(Vertical(QRectF(0, 0, 13, 17), BlueLight, BlueDeep));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 190), 1));
    p.drawLine(QPointF(5, 3.5), QPointF(5, 9.5));
    p.drawLine(QPointF(8, 3.5), QPointF(8, 9.5));
    p.end();
    return Flatten(image, QColor(215, 221, 232), White);
}

QImage SliderBar()
{
    QImage image = NewImage(3, 7);
    QPainter p(&image);
    p.fillRect(QRectF(0, 0, 3, 7), Vertical(QRectF(0, 0, 3, 7), BlueLight, Blue));
    p.end();
    return Opaque(image);
}

namespace {

// Every strip is this wide in the window; a tab is never narrower than the
// audio strip's tabs were when five of them filled it.
constexpr int kStripWidth = 432;
constexpr int kMinTabWidth = 86;
// Room around a caption, so that its letters keep clear of the rounded sides.
constexpr int kCaptionPadding = 16;

int CaptionWidth(const QString& label)
{
    // Measured at the ordinary scale, so both scales lay the tabs out alike.
    const ScaleScope ordinary(1);
    return QFontMetrics(Font(12, true)).horizontalAdvance(label) + kCaptionPadding;
}

} // namespace

std::vector<int> TabWidths(const QStringList& labels)
{
    const int count = int(labels.size());
    if (count == 0)
        return {};
    // Tabs that fit at an equal share fill the strip, as they always did;
    // otherwise each tab takes its caption's room and the strip scrolls.
    const int share = kStripWidth / count;
    std::vector<int> widths;
    bool allFit = true;
    for (const QString& label : labels) {
        widths.push_back(std::max(kMinTabWidth, CaptionWidth(label)));
        allFit = allFit && CaptionWidth(label) <= share;
    }
    if (allFit)
        widths.assign(std::size_t(count), share);
    return widths;
}

QImage Tab(const QString& label, int width, bool selected)
{
    QImage image = NewImage(width, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, selected ? 0.5 : 3.5, width - 2, selected ? 28 : 25);
    QPainterPath tab;
    tab.addRoundedRect(r.adjusted(0, 0, 0, 6), 6, 6);
    QPainterPath clip;
    clip.addRect(QRectF(0, 0, width, 28));
    tab = tab.intersected(clip);
    const QColor top = selected ? BlueLight : QColor(246, 248, 252);
    const QColor bottom = selected ? Blue : QColor(196, 204, 220);
    p.setPen(QPen(selected ? BlueDeep : QColor(138, 148, 172), 1));
    p.setBrush(Vertical(r, top, bottom));
    p.drawPath(tab);
    QRectF sheen = r.adjusted(2, 1.5, -2, -r.height() / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, selected ? 70 : 120));
    p.drawRoundedRect(sheen, 4, 4);
    const QFont font = Font(12, true);
    const QRectF textBox = r.adjusted(0, selected ? 1 : 0, 0, 0);
    if (selected)
        EmbossedText(p, textBox, label, font, Qt::white, BlueDeep.darker(130));
    else
        EmbossedText(p, textBox, label, font, QColor(52, 60, 82), QColor(255, 255, 255));
    p.end();
    return Flatten(image, QColor(220, 226, 236), Red);
}

QImage TabScrollArrow(bool right, int state)
{
    // A small unselected tab with a pointer: lit blue under the mouse, faded
    // when the row cannot move that way.
    QImage image = NewImage(16, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 3.5, 15, 25);
    QPainterPath body;
    body.addRoundedRect(r.adjusted(0, 0, 0, 6), 5, 5);
    QPainterPath clip;
    clip.addRect(QRectF(0, 0, 16, 28));
    body = body.intersected(clip);
    const bool hover = state == 1;
    const bool off = state == 2;
    p.setPen(QPen(hover ? BlueDeep : QColor(138, 148, 172), 1));
    p.setBrush(Vertical(r, hover ? BlueLight : QColor(246, 248, 252), hover ? Blue : QColor(196, 204, 220)));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, hover ? 70 : 120));
    p.drawRoundedRect(r.adjusted(2, 1.5, -2, -r.height() / 2), 3, 3);
    QPainterPath arrow;
    arrow.moveTo(right ? -2.5 : 2.5, -4.5);
    arrow.lineTo(right ? 2.5 : -2.5, 0);
    arrow.lineTo(right ? -2.5 : 2.5, 4.5);
    arrow.closeSubpath();
    p.translate(8, 16);
    const QColor ink = hover ? QColor(Qt::white) : off ? QColor(168, 176, 194) : QColor(52, 60, 82);
    if (!off)
        p.fillPath(arrow.translated(1, 1), hover ? BlueDeep.darker(130) : QColor(255, 255, 255));
    p.fillPath(arrow, ink);
    p.end();
    return Flatten(image, QColor(220, 226, 236), Red);
}

} // namespace kelvara::generator
