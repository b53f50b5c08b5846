#include "PreviewView.h"

#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace kelvara {

PreviewView::PreviewView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Preview"));
}

void PreviewView::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

QSize PreviewView::PixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(
        static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio)));
}

void PreviewView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_picture.isNull())
        return;
    // The picture keeps its shape: scaled to fit, centred, bars in black.
    const QSizeF fitted = QSizeF(m_picture.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(
        QPointF((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

void PreviewView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit PixelSizeChanged(PixelSize());
}

} // namespace kelvara
