#include "CSkinListBox.h"

#include "CSkinMiniScrollBar.h"
#include "FocusMark.h"
#include "PostEvent.h"
#include "SkinFont.h"
#include "SkinListPainting.h"
#include "SkinPalette.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelvara {

namespace {
constexpr int kTextHeight = 11;
// The background of a selected row: the text of a selected row is light.
const QColor SelectedRowTop(92, 101, 130);
const QColor SelectedRowBottom(58, 65, 88);
} // namespace

CSkinListBox::CSkinListBox(QWidget* parent)
    : QWidget(parent)
{
    const SkinPalette& skin = Skin();
    m_panelTile = skin.listTile;
    m_bodyTile = SkinMessageBody();
    m_frameLight = skin.listBoxFrameLight;
    m_frameDark = skin.listBoxFrameDark;
    m_textSelected = skin.listBoxTextSelected;
    m_text = skin.listBoxText;
    setFocusPolicy(Qt::StrongFocus);
    setFont(SkinFont(kTextHeight, true));
    m_scrollBar = new CSkinMiniScrollBar(this);
    m_scrollBar->SetLook(m_frameLight, m_frameDark, m_panelTile);
    m_scrollBar->hide();
    connect(m_scrollBar, &CSkinMiniScrollBar::MiniScroll, this,
        [this](int position, CSkinMiniScrollBar*) { OnMiniScroll(position); });
}

int CSkinListBox::AddString(const QString& text)
{
    if (m_items.size() >= kMaxItems)
        return -1;
    m_items.append(text);
    m_flags.append(false);
    Relayout();
    return int(m_items.size()) - 1;
}

void CSkinListBox::ResetContent()
{
    m_items.clear();
    m_flags.clear();
    m_offset = 0;
    Relayout();
}

int CSkinListBox::GetCurSel() const
{
    return int(m_flags.indexOf(true));
}

void CSkinListBox::SetItemFlag(int index, bool value)
{
    if (index < 0 || index >= m_flags.size())
        return;
    m_flags[index] = value;
    update();
}

void CSkinListBox::Relayout()
{
    const int textHeight = QFontMetrics(font()).height();
    RowLayout probe;
    probe.Build(int(m_items.size()), textHeight, width(), false);
    m_scrollBarNeeded = probe.FullHeight() + 1 > height();
    m_rows.Build(int(m_items.size()), textHeight, width(), true);
    m_visibleRows = qMax(1, m_rows.FittingRows(height()));
    const int rowHeight = m_rows.RowHeight();
    m_scrollBar->setGeometry(width() - 13, 3, 10, height() - 6);
    m_scrollBar->SetRange(qMax(1, int(m_items.size())) * 100, m_visibleRows * 100);
    m_scrollBar->setVisible(m_scrollBarNeeded);
    const int maxOffset = qMax(0, (int(m_items.size()) - m_visibleRows) * rowHeight);
    m_offset = qBound(0, m_offset, maxOffset);
    m_scrollBar->SetPos(rowHeight > 0 ? m_offset * 100 / rowHeight : 0);
    update();
}

void CSkinListBox::resizeEvent(QResizeEvent*)
{
    Relayout();
}

void CSkinListBox::SelectOnly(int index)
{
    m_flags.fill(false);
    if (index >= 0 && index < m_flags.size())
        m_flags[index] = true;
    update();
}

void CSkinListBox::ScrollTo(int index)
{
    m_offset = m_rows.ScrollIntoView(index, m_offset, m_visibleRows);
    m_scrollBar->SetPos(m_offset * 100 / m_rows.RowHeight());
    update();
}

void CSkinListBox::OnMiniScroll(int position)
{
    m_offset = int(qint64(m_rows.RowHeight()) * position / 100);
    update();
}

void CSkinListBox::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int index = m_rows.HitTest(event->position().toPoint(), m_offset);
    if (index < 0)
        return;
    SelectOnly(index);
    Post(this, [](CSkinListBox* self) { emit self->SelChange(self); });
}

void CSkinListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = m_rows.HitTest(event->position().toPoint(), m_offset);
    if (index < 0)
        return;
    SelectOnly(index);
    Post(this, [](CSkinListBox* self) { emit self->SelChange(self); });
    Post(this, [](CSkinListBox* self) { emit self->dblClk(self); });
}

void CSkinListBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key != Qt::Key_Up && key != Qt::Key_Down) || m_items.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int count = int(m_items.size());
    const int current = GetCurSel();
    int next;
    if (current < 0)
        next = key == Qt::Key_Down ? 0 : count - 1;
    else
        next = (current + (key == Qt::Key_Down ? 1 : -1) + count) % count;
    SelectOnly(next);
    ScrollTo(next);
    Post(this, [](CSkinListBox* self) { emit self->SelChange(self); });
}

void CSkinListBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_bodyTile.isNull())
        p.drawTiledPixmap(rect(), m_bodyTile);
    PaintRoundedListFrame(p, size(), m_frameLight, m_frameDark);
    const int right = width() - RowLayout::kLeft - (m_scrollBarNeeded ? RowLayout::kScrollBarRoom : 0);
    const QRect panel(QPoint(RowLayout::kLeft, 3), QPoint(right - 1, height() - 4));
    PaintItemPanel(p, panel, m_panelTile, m_offset, m_frameLight, m_frameDark);
    p.setClipRect(QRect(QPoint(0, 4), QPoint(right - 1, height() - 5)));
    p.setFont(font());
    const QFontMetrics metrics(font());
    for (int i = 0; i < m_rows.Count(); ++i) {
        QRect row = m_rows.Row(i).translated(0, -m_offset);
        if (!m_scrollBarNeeded)
            row.setRight(right - 1);
        if (row.bottom() < 0 || row.top() > height())
            continue;
        int x = row.left() + 2;
        int y = row.top() + 1;
        if (m_flags[i]) {
            const QRect inner = row.adjusted(0, 1, 0, -1);
            QLinearGradient fill(inner.topLeft(), inner.bottomLeft());
            fill.setColorAt(0, SelectedRowTop);
            fill.setColorAt(1, SelectedRowBottom);
            p.fillRect(inner, fill);
            const QRect r = inner.adjusted(0, 0, -1, -1);
            p.setPen(m_frameDark);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(m_frameLight);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            ++x;
            ++y;
        }
        p.setPen(m_flags[i] ? m_textSelected : m_text);
        p.drawText(x, y + metrics.ascent(), m_items[i]);
    }
    if (hasFocus()) {
        p.setClipping(false);
        PaintFocusMark(p, panel.adjusted(1, 1, -1, -1));
    }
}

void CSkinListBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CSkinListBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace kelvara
