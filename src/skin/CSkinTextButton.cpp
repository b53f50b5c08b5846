#include "CSkinTextButton.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvara {

CSkinTextButton::CSkinTextButton(const QString& caption, QWidget* parent)
    : CSkinButton(parent)
{
    setText(caption);
    setAccessibleName(caption);
    SetColour(TextOut, Qt::black, false);
    SetColour(TextFocus, Qt::black, false);
    SetColour(TextIn, QColor(20, 20, 20), false);
}

void CSkinTextButton::OnDrawBackground(QPainter& painter, const QRect& rect)
{
    PaintTextButtonPlate(painter, rect, IsHovering() || IsPressedLook(), isEnabled());
}

// The plate carries the frame.
void CSkinTextButton::OnDrawBorder(QPainter&, const QRect&)
{
}

void PaintTextButtonPlate(QPainter& painter, const QRect& area, bool hot, bool enabled)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, hot ? QColor(180, 192, 216) : QColor(206, 213, 228));
    painter.setPen(QPen(enabled ? QColor(138, 148, 172) : QColor(180, 184, 194), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(r, 4, 4);
    painter.restore();
}

} // namespace kelvara
