#include "SkinDialogBackground.h"

#include "SkinPalette.h"

namespace kelvara {

void PaintSkinDialogBackground(QPainter& painter, QSize client)
{
    const QPixmap body = SkinMessageBody();
    const QPixmap title = SkinMessageTitle();
    const int w = client.width();
    const int h = client.height();
    if (!body.isNull()) {
        const int band = LogicalSize(body).height();
        for (int y = 0; y < h; y += band)
            painter.drawPixmap(QRect(0, y, w, band), body);
    }
    if (!title.isNull())
        painter.drawPixmap(QRect(0, 0, w, LogicalSize(title).height()), title);
    // Light upper-left edges, darker lower-right ones, each three pixels wide.
    painter.save();
    painter.setClipRegion(QRegion(0, 0, w, h) - QRegion(4, 4, w, h));
    painter.setPen(QPen(QColor(224, 224, 224), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
    painter.setClipRegion(QRegion(0, 0, w, h) - QRegion(0, 0, w - 4, h - 4));
    painter.setPen(QPen(QColor(195, 196, 196), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
    painter.restore();
}

} // namespace kelvara
