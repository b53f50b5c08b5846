#include "CSkinComboBox.h"

#include "CSkinDropList.h"
#include "FocusMark.h"
#include "PostEvent.h"
#include "SkinFont.h"
#include "SkinPalette.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace kelvara {

CSkinComboBox::CSkinComboBox(QWidget* parent)
    : QComboBox(parent)
{
    const SkinPalette& skin = Skin();
    m_frameLight = skin.comboFrameLight;
    m_frameDark = skin.comboFrameDark;
    m_textHot = skin.text;
    m_textNormal = skin.text;
    m_faceBitmap = skin.faceStrip;
    m_listBitmap = skin.listTile;
    m_arrowBitmap = skin.dropArrow;
    setFont(SkinFont(13, false));
    setFocusPolicy(Qt::StrongFocus);
}

CSkinComboBox::~CSkinComboBox()
{
    Close();
}

void CSkinComboBox::SetCurSel(int index)
{
    if (index != currentIndex())
        setCurrentIndex(index);
    update();
}

void CSkinComboBox::EnableWindow(bool enable)
{
    setEnabled(enable);
    update();
}

void CSkinComboBox::SelectByUser(int index)
{
    Post(this, [](CSkinComboBox* self) { emit self->SelChange(self); });
    setCurrentIndex(index);
    update();
}

void CSkinComboBox::Open()
{
    if (m_list)
        return;
    m_list = new CSkinDropList(this);
    m_list->Open();
}

void CSkinComboBox::Close()
{
    if (!m_list)
        return;
    CSkinDropList* list = m_list;
    m_list = nullptr;
    list->hide();
    list->deleteLater();
    update();
}

void CSkinComboBox::Toggle()
{
    if (m_list)
        Close();
    else
        Open();
}

void CSkinComboBox::showPopup()
{
    Open();
}

void CSkinComboBox::hidePopup()
{
    Close();
}

void CSkinComboBox::Step(int delta)
{
    const int n = count();
    if (n == 0)
        return;
    const int current = currentIndex();
    int next;
    if (current < 0)
        next = delta > 0 ? 0 : n - 1;
    else
        next = (current + delta + n) % n;
    SelectByUser(next);
}

void CSkinComboBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    if (!m_faceBitmap.isNull())
        p.drawPixmap(QRect(0, 0, w, LogicalSize(m_faceBitmap).height()), m_faceBitmap);
    if (!m_arrowBitmap.isNull())
        p.drawPixmap(w - 16 - 1, 1, m_arrowBitmap);
    const QRect textArea(0, 0, w - 18, kFaceHeight);
    if (currentIndex() >= 0) {
        p.save();
        p.setClipRect(textArea);
        p.setFont(font());
        p.setPen(isEnabled() ? m_textNormal : QColor(128, 128, 128));
        const QFontMetrics metrics(font());
        p.drawText(3, 2 + metrics.ascent(), itemText(currentIndex()));
        p.restore();
    }
    if (hasFocus())
        PaintFocusMark(p, textArea.adjusted(1, 1, -1, -1));
}

void CSkinComboBox::mousePressEvent(QMouseEvent*)
{
    setFocus(Qt::MouseFocusReason);
    Toggle();
}

void CSkinComboBox::mouseDoubleClickEvent(QMouseEvent*)
{
    setFocus(Qt::MouseFocusReason);
    Toggle();
}

void CSkinComboBox::mouseMoveEvent(QMouseEvent*)
{
}

void CSkinComboBox::mouseReleaseEvent(QMouseEvent*)
{
}

void CSkinComboBox::wheelEvent(QWheelEvent*)
{
}

void CSkinComboBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    // Tab and the window's Ctrl keys (Ctrl+Tab, Ctrl+PgDn...) belong to the window.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || (event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    // Alt+Down, Alt+Up and F4 open the list, and close it taking the hot row
    // as Return does.
    const bool altArrow
        = (event->modifiers() & Qt::AltModifier) && (key == Qt::Key_Down || key == Qt::Key_Up);
    if (altArrow || key == Qt::Key_F4) {
        if (m_list)
            m_list->HandleKey(Qt::Key_Return);
        else
            Open();
        return;
    }
    const bool handled = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape
        || key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (!handled)
        return; // every other key is swallowed
    if (m_list) {
        m_list->HandleKey(key);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Open();
    else if (key == Qt::Key_Left || key == Qt::Key_Up)
        Step(-1);
    else if (key == Qt::Key_Right || key == Qt::Key_Down)
        Step(1);
}

void CSkinComboBox::keyReleaseEvent(QKeyEvent*)
{
}

void CSkinComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    update();
}

void CSkinComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    QWidget* next = QApplication::focusWidget();
    const bool intoList = m_list && next && (next == m_list || m_list->isAncestorOf(next));
    if (!intoList && next != this)
        Close();
    update();
}

} // namespace kelvara
