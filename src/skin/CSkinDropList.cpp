#include "CSkinDropList.h"

#include "CSkinComboBox.h"
#include "CSkinMiniScrollBar.h"
#include "SkinListPainting.h"
#include "SkinPalette.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace kelvara {

CSkinDropList::CSkinDropList(CSkinComboBox* combo)
    : QWidget(combo, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_combo(combo)
    , m_tile(combo->ListBitmap())
{
    setObjectName(QStringLiteral("SkComboWindowClass"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFont(combo->font());
}

void CSkinDropList::Measure()
{
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();
    const int count = m_combo->count();
    int widest = 0;
    for (int i = 0; i < count; ++i)
        widest = qMax(widest, metrics.horizontalAdvance(m_combo->itemText(i)));

    RowLayout probe;
    probe.Build(count, textHeight, 0, false);
    const int available = m_combo->DroppedHeight();
    int height;
    if (probe.FullHeight() + 1 <= available) {
        m_visibleRows = count;
        height = probe.FullHeight();
        m_scrollBarNeeded = false;
    } else {
        m_visibleRows = probe.FittingRows(available);
        height = m_visibleRows > 0 ? probe.HeightOfRows(m_visibleRows) : kEmptyHeight;
        m_scrollBarNeeded = true;
    }
    if (count == 0) {
        height = kEmptyHeight;
        m_scrollBarNeeded = false;
    }
    int width = qMax(m_combo->width(), widest + 3 + 10);
    if (m_scrollBarNeeded)
        width += 10;
    m_rows.Build(count, textHeight, width, m_scrollBarNeeded);
    resize(width, height);
}

QPoint CSkinDropList::Placement(const QRect& comboRect, QSize list, QSize screen)
{
    int x = list.width() > comboRect.width() ? comboRect.right() + 1 - list.width() : comboRect.left();
    int y = comboRect.top() + CSkinComboBox::kFaceHeight;
    if (y + list.height() > screen.height() - 50)
        y = comboRect.top() + CSkinComboBox::kFaceHeight - comboRect.height() - list.height() - 2;
    if (x + list.width() > screen.width())
        x = screen.width() - list.width();
    if (x < 0)
        x = 0;
    return { x, y };
}

void CSkinDropList::Open()
{
    Measure();
    const QRect comboRect(m_combo->mapToGlobal(QPoint(0, 0)), m_combo->size());
    QScreen* screen = m_combo->screen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    move(Placement(comboRect, size(), screenSize));

    if (m_scrollBarNeeded) {
        m_scrollBar = new CSkinMiniScrollBar(this);
        m_scrollBar->SetLook(m_combo->FrameLight(), m_combo->FrameDark(), m_tile);
        m_scrollBar->setGeometry(width() - 13, 3, 10, height() - 6);
        m_scrollBar->SetRange(m_combo->count() * 100, m_visibleRows * 100);
        connect(m_scrollBar, &CSkinMiniScrollBar::MiniScroll, this,
            [this](int position, CSkinMiniScrollBar*) { OnMiniScroll(position); });
    }
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), 2.5, 2.5);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
    m_offset = 0;
    m_hot = -1;
    m_ignoreMoves = kIgnoredMoves;
    const SkinPalette& skin = Skin();
    m_fade.Start(this, skin.layeredWindows, skin.targetAlpha);
    show();
}

int CSkinDropList::RowsRight() const
{
    return width() - RowLayout::kLeft - (m_scrollBarNeeded ? RowLayout::kScrollBarRoom : 0);
}

void CSkinDropList::SetHot(int index)
{
    if (index == m_hot)
        return;
    m_hot = index;
    update();
}

void CSkinDropList::ScrollHotIntoView()
{
    if (m_hot < 0)
        return;
    m_offset = m_rows.ScrollIntoView(m_hot, m_offset, m_visibleRows);
    if (m_scrollBar)
        m_scrollBar->SetPos(m_offset * 100 / m_rows.RowHeight());
    update();
}

void CSkinDropList::OnMiniScroll(int position)
{
    m_offset = int(qint64(m_rows.RowHeight()) * position / 100);
    update();
}

void CSkinDropList::HandleKey(int key)
{
    const int count = m_rows.Count();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int hot = m_hot;
        if (hot >= 0)
            m_combo->SelectByUser(hot);
        m_combo->Close();
        return;
    }
    case Qt::Key_Escape:
        m_combo->Close();
        m_combo->update();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (count == 0)
            return;
        const int delta = key == Qt::Key_Down ? 1 : -1;
        const int next = m_hot < 0 ? (delta > 0 ? 0 : count - 1) : (m_hot + delta + count) % count;
        SetHot(next);
        m_ignoreMoves = kIgnoredMoves;
        ScrollHotIntoView();
        return;
    }
    default:
        return;
    }
}

void CSkinDropList::mouseMoveEvent(QMouseEvent* event)
{
    if (m_ignoreMoves > 0) {
        --m_ignoreMoves;
        return;
    }
    const int row = m_rows.HitTest(event->position().toPoint(), m_offset);
    if (row >= 0)
        SetHot(row);
}

void CSkinDropList::ChooseAt(QPoint position)
{
    // The release of the press that chose a row reaches a list already closed.
    if (m_combo->DropList() != this)
        return;
    const int row = m_rows.HitTest(position, m_offset);
    if (row < 0)
        return;
    m_combo->SelectByUser(row);
    m_combo->Close();
}

void CSkinDropList::mousePressEvent(QMouseEvent* event)
{
    ChooseAt(event->position().toPoint());
}

void CSkinDropList::mouseReleaseEvent(QMouseEvent* event)
{
    ChooseAt(event->position().toPoint());
}

void CSkinDropList::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor light = m_combo->FrameLight();
    const QColor dark = m_combo->FrameDark();
    if (!m_tile.isNull())
        p.drawTiledPixmap(rect().adjusted(1, 1, -1, -1), m_tile);
    PaintRoundedListFrame(p, size(), light, dark);
    const int right = RowsRight();
    const QRect panel(QPoint(RowLayout::kLeft, 3), QPoint(right - 1, height() - 4));
    PaintItemPanel(p, panel, m_tile, m_offset, light, dark);

    p.setClipRect(QRect(QPoint(0, 4), QPoint(right - 1, height() - 5)));
    p.setFont(font());
    const QFontMetrics metrics(font());
    for (int i = 0; i < m_rows.Count(); ++i) {
        const QRect row = m_rows.Row(i).translated(0, -m_offset);
        if (row.bottom() < 0 || row.top() > height())
            continue;
        const QString text = m_combo->itemText(i);
        if (i == m_hot) {
            PaintPressedRow(p, row, m_tile, m_offset, light, dark);
            p.setPen(m_combo->TextHot());
            p.drawText(row.left() + 3, row.top() + 2 + metrics.ascent(), text);
        } else {
            p.setPen(m_combo->TextNormal());
            p.drawText(row.left() + 2, row.top() + 1 + metrics.ascent(), text);
        }
    }
}

} // namespace kelvara
