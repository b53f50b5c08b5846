#include "AppIcon.h"
#include "Canvas.h"
#include "Drawings.h"

#include <QPainterPath>

namespace kelvara::generator {

namespace {
void Disc(QPainter& p, const QRectF& r, QColor light, QColor dark)
{
    QRadialGradient g(r.center() - QPointF(r.width() * 0.2, r.height() * 0.3), r.width());
    g.setColorAt(0, light);
    g.setColorAt(0.6, dark);
    g.setColorAt(1, dark.darker(140));
    p.setPen(QPen(dark.darker(170), 1));
    p.setBrush(g);
    p.drawEllipse(r);
    QRectF sheen(r.left() + r.width() * 0.2, r.top() + 1.5, r.width() * 0.6, r.height() * 0.4);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(sheen, QColor(255, 255, 255, 150), QColor(255, 255, 255, 0)));
    p.drawEllipse(sheen);
}
} // namespace

QImage MessageIcon(int kind)
{
    QImage image = NewImage(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, 29, 29);
    const QFont font = Font(20, true);
    if (kind == 0) {
        QPainterPath tri;
        tri.moveTo(16, 2);
        tri.lineTo(30.5, 28.5);
        tri.lineTo(1.5, 28.5);
        tri.closeSubpath();
        p.setPen(QPen(QColor(150, 100, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Vertical(r, QColor(255, 226, 100), QColor(240, 170, 20)));
        p.drawPath(tri);
        Text(p, QRectF(0, 8, 32, 22), QStringLiteral("!"), font, QColor(60, 40, 0));
    } else if (kind == 1) {
        Disc(p, r, BlueLight, Blue);
        Text(p, r.adjusted(0, 1, 0, 0), QStringLiteral("?"), font, Qt::white);
    } else if (kind == 2) {
        Disc(p, r, QColor(250, 120, 100), QColor(200, 32, 24));
        p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
    } else {
        Disc(p, r, BlueLight, Blue);
        Text(p, r.adjusted(0, 1, 0, 0), QStringLiteral("i"), Font(21, true), Qt::white);
    }
    p.end();
    return image;
}

QImage CheckIcon(bool checked)
{
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, 13, 13);
    p.setPen(QPen(checked ? BlueDeep : QColor(110, 120, 146), 1));
    p.setBrush(
        checked ? Vertical(r, BlueLight, Blue) : Vertical(r, QColor(255, 255, 255), QColor(214, 220, 232)));
    p.drawRoundedRect(r, 3, 3);
    if (checked) {
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({ QPointF(4.5, 8), QPointF(7, 10.8), QPointF(11.5, 5) }));
    }
    p.end();
    return image;
}

QImage TransportIcon(bool pause, bool hover)
{
    QImage image = NewImage(32, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 5.5, 29, 29);
    Disc(p, r, hover ? QColor(140, 210, 255) : BlueLight, hover ? QColor(20, 150, 240) : Blue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    if (pause) {
        p.drawRoundedRect(QRectF(11, 13, 4, 14), 1, 1);
        p.drawRoundedRect(QRectF(17.5, 13, 4, 14), 1, 1);
    } else {
        QPainterPath t;
        t.moveTo(12.5, 12);
        t.lineTo(23, 20);
        t.lineTo(12.5, 28);
        t.closeSubpath();
        p.drawPath(t);
    }
    p.end();
    return image;
}

// The window's icon (id 128) is the program's icon of the desktop's theme at
// 32 pixels, so the taskbar and the menu show the same picture; the
// high-density copy is the theme's own 64-pixel drawing.
QImage AppIcon()
{
    QImage image = AppIconAt(32 * Scale());
    image.setDevicePixelRatio(Scale());
    return image;
}

} // namespace kelvara::generator
