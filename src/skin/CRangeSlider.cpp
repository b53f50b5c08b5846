#include "CRangeSlider.h"

#include "FocusMark.h"
#include "SkinPalette.h"
#include "SkinResourceIds.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelvara {

namespace {

// Where the track and the bar sit inside the 17-pixel-high thumbs.
constexpr int kTrackTop = 3;
constexpr int kTrackHeight = 11;
constexpr int kBarTop = 5;
constexpr int kBarHeight = 7;
// The bar starts one pixel inside the left thumb and ends one inside the right.
constexpr int kBarOverlap = 1;

} // namespace

CRangeSlider::CRangeSlider(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
}

void CRangeSlider::SetMinMax(double min, double max)
{
    Notify(m_model.SetMinMax(min, max));
    update();
}

void CRangeSlider::SetRange(double left, double right)
{
    Notify(m_model.SetRange(left, right));
    update();
}

void CRangeSlider::Notify(const RangeNotices& notices)
{
    if (!notices.empty()) {
        QAccessibleValueChangeEvent changed(this, m_model.Left());
        QAccessible::updateAccessibility(&changed);
    }
    for (const RangeNotice& notice : notices)
        emit RangeChanged(notice.part, notice.final);
}

void CRangeSlider::paintEvent(QPaintEvent*)
{
    m_model.Layout(width(), height());
    // The bitmaps are small and cached by Qt: loading them per paint keeps
    // no skin state in the control.
    const QPixmap track = LoadSkinBitmap(skin_id::SliderTrack);
    const QPixmap leftThumb = LoadSkinBitmap(skin_id::SliderLeftThumb);
    const QPixmap rightThumb = LoadSkinBitmap(skin_id::SliderRightThumb);
    const QPixmap bar = LoadSkinBitmap(skin_id::SliderBar);
    const int xLeft = m_model.LeftPixel();
    const int xRight = m_model.RightPixel();
    const int arrow = m_model.ArrowWidth();
    QPainter p(this);
    p.drawPixmap(QRect(0, kTrackTop, width(), kTrackHeight), track);
    p.drawPixmap(xLeft, 0, leftThumb);
    p.drawPixmap(xRight + arrow, 0, rightThumb);
    p.drawPixmap(
        QRect(xLeft + arrow - kBarOverlap, kBarTop, xRight - xLeft + 2 * kBarOverlap, kBarHeight), bar);
    if (hasFocus())
        PaintFocusMark(p, rect());
}

void CRangeSlider::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    update();
    if (event->button() == Qt::LeftButton)
        m_model.Press(event->position().toPoint());
}

void CRangeSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_model.Tracking())
        return;
    Notify(m_model.Move(event->position().toPoint().x()));
    update();
}

void CRangeSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_model.Tracking())
        return;
    Notify(m_model.Release());
    update();
}

void CRangeSlider::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key != Qt::Key_Left && key != Qt::Key_Right) || (event->modifiers() & Qt::ControlModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    Notify(m_model.Arrow(key == Qt::Key_Right, event->modifiers() & Qt::ShiftModifier));
    update();
}

void CRangeSlider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CRangeSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace kelvara
