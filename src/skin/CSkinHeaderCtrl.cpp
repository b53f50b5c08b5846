#include "CSkinHeaderCtrl.h"

#include "SkinFont.h"
#include "SkinPalette.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvara {

CSkinHeaderCtrl::CSkinHeaderCtrl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedHeight(Skin().headerHeight);
}

int CSkinHeaderCtrl::ColumnAt(const QPoint& point) const
{
    if (!rect().contains(point))
        return -1;
    return logicalIndexAt(point);
}

QSize CSkinHeaderCtrl::sizeHint() const
{
    return QSize(QHeaderView::sizeHint().width(), Skin().headerHeight);
}

void CSkinHeaderCtrl::paintEvent(QPaintEvent*)
{
    const SkinPalette& s = Skin();
    QPainter p(viewport());
    const int width = viewport()->width();
    p.fillRect(viewport()->rect(), s.headerFill);
    p.drawPixmap(QRect(2, 0, width - 2, s.headerHeight), s.headerBackground);
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (!isSectionHidden(logical))
            PaintColumn(p, logical, visual);
    }
}

QFont CSkinHeaderCtrl::TitleFont()
{
    return SkinFontAtDesignHeight(13, true);
}

QRect CSkinHeaderCtrl::TitleRect(int left, int width, int headerHeight)
{
    return QRect(left, 0, width, headerHeight).adjusted(2, 2, -2, -2).translated(-1, -1);
}

void CSkinHeaderCtrl::PaintColumn(QPainter& p, int logical, int visual) const
{
    const SkinPalette& s = Skin();
    const int h = s.headerHeight;
    const int left = sectionViewportPosition(logical);
    const int size = sectionSize(logical);
    const int right = left + size;
    if (visual == 0)
        p.drawPixmap(left, 0, s.headerSeparatorLeft);
    else
        p.drawPixmap(QRect(left + 1, 0, 1, h), s.headerBackground);
    p.drawPixmap(QRect(left + 2, 0, size, h), s.headerBackground);
    p.drawPixmap(right - 2, 0, s.headerSeparatorRight);

    p.setFont(TitleFont());
    p.setPen(s.headerText);
    const QRect titleRect = TitleRect(left, size, h);
    const QString title = model() ? model()->headerData(logical, Qt::Horizontal).toString() : QString();
    p.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine,
        p.fontMetrics().elidedText(title, Qt::ElideRight, titleRect.width()));
}

void CSkinHeaderCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit HeaderRightClicked(ColumnAt(event->position().toPoint()), event->globalPosition().toPoint());
        return;
    }
    QHeaderView::mousePressEvent(event);
}

} // namespace kelvara
