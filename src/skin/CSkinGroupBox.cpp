#include "CSkinGroupBox.h"

#include "SkinFont.h"

#include <QFontMetrics>
#include <QPainter>

namespace kelvara {

namespace {
const QColor FrameColour(230, 230, 230);
constexpr int kCaptionHeight = 12;
} // namespace

CSkinGroupBox::CSkinGroupBox(const QString& caption, QWidget* parent)
    : QWidget(parent)
    , m_caption(caption.left(kMaxCaption - 1))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CSkinGroupBox::SetCaption(const QString& caption)
{
    m_caption = caption.left(kMaxCaption - 1);
    if (parentWidget()) {
        const QRect top(geometry().topLeft(), QSize(width(), 25));
        parentWidget()->update(top.adjusted(-3, -3, 3, 3));
    }
    update();
}

void CSkinGroupBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFont font = SkinFont(kCaptionHeight, true);
    const QFontMetrics metrics(font);
    const int captionWidth = metrics.horizontalAdvance(m_caption);
    const int captionHeight = metrics.height();
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(11, 1 + metrics.ascent(), m_caption);
    // The frame passes behind the caption, not through it.
    QRegion clip(rect());
    if (!m_caption.isEmpty())
        clip -= QRegion(QRect(QPoint(8, 0), QPoint(captionWidth + 12 - 1, captionHeight - 1)));
    p.setClipRegion(clip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(FrameColour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(2, captionHeight / 2 + 1), QPoint(width() - 2, height() - 2)));
}

} // namespace kelvara
