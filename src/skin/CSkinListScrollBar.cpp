#include "CSkinListScrollBar.h"

#include "SkinPalette.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kelvara {

namespace {

constexpr int kArrow = 16;
constexpr int kThumb = 75;
// A held arrow waits this long before it repeats, then repeats at this pace.
constexpr int kRepeatDelayMs = 250;
constexpr int kRepeatIntervalMs = 50;

} // namespace

CSkinListScrollBar::CSkinListScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
    , m_orientation(orientation)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_repeat, &QTimer::timeout, this, &CSkinListScrollBar::OnRepeat);
    if (orientation == Qt::Vertical)
        setFixedWidth(Skin().scrollThickness);
    else
        setFixedHeight(Skin().scrollThickness);
}

void CSkinListScrollBar::Link(QScrollBar* target)
{
    m_target = target;
    connect(target, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    connect(target, &QScrollBar::rangeChanged, this, qOverload<>(&QWidget::update));
    update();
}

bool CSkinListScrollBar::CanScroll() const
{
    return m_target && m_target->maximum() > m_target->minimum();
}

int CSkinListScrollBar::Length() const
{
    return m_orientation == Qt::Vertical ? height() : width();
}

int CSkinListScrollBar::Along(const QPoint& point) const
{
    return m_orientation == Qt::Vertical ? point.y() : point.x();
}

int CSkinListScrollBar::ThumbPosition() const
{
    if (!CanScroll())
        return kArrow;
    const int limit = m_target->maximum() - m_target->minimum();
    const double scale = double(Length() - kThumb - 3 * kArrow + 2) / limit;
    const int position = 15 + static_cast<int>(scale * (m_target->value() - m_target->minimum()));
    return std::max(kArrow, std::min(position, Length() - 2 * kArrow - kThumb));
}

int CSkinListScrollBar::ValueAtThumbPosition(int pixel) const
{
    if (!CanScroll())
        return 0;
    // Back from the thumb's travel, end to end, so that both ends of the
    // range can be reached by dragging.
    const int limit = m_target->maximum() - m_target->minimum();
    const int travel = Length() - 2 * kArrow - kThumb - kArrow;
    if (travel <= 0)
        return m_target->minimum();
    const int value
        = static_cast<int>(std::lround(double(pixel - kArrow) * limit / travel)) + m_target->minimum();
    return std::clamp(value, m_target->minimum(), m_target->maximum());
}

void CSkinListScrollBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Skin().scrollFill);
    PaintBar(p);
}

void CSkinListScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_target)
        return;
    const int at = Along(event->position().toPoint());
    const int arrowEnd = m_orientation == Qt::Vertical ? Length() - 2 * kArrow : Length() - kArrow;
    const int thumb = ThumbPosition();
    if (at < kArrow) {
        m_press = Press::LineBack;
        StartRepeat(QAbstractSlider::SliderSingleStepSub);
    } else if (at >= arrowEnd && at < arrowEnd + kArrow) {
        m_press = Press::LineForward;
        StartRepeat(QAbstractSlider::SliderSingleStepAdd);
    } else if (CanScroll() && at >= thumb && at < thumb + kThumb) {
        m_press = Press::Thumb;
        m_grabOffset = kThumb / 2;
    } else if (at < arrowEnd) {
        m_target->triggerAction(
            at < thumb ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
    }
}

void CSkinListScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_press != Press::Thumb || !m_target)
        return;
    m_target->setValue(ValueAtThumbPosition(Along(event->position().toPoint()) - m_grabOffset));
}

void CSkinListScrollBar::mouseReleaseEvent(QMouseEvent*)
{
    // A click shorter than the repeat delay still moves by one line.
    if ((m_press == Press::LineBack || m_press == Press::LineForward) && m_repeat.interval() == kRepeatDelayMs
        && m_repeat.isActive() && m_target)
        m_target->triggerAction(m_action);
    m_repeat.stop();
    m_press = Press::None;
}

void CSkinListScrollBar::StartRepeat(QAbstractSlider::SliderAction action)
{
    m_action = action;
    m_repeat.start(kRepeatDelayMs);
}

void CSkinListScrollBar::OnRepeat()
{
    if (m_repeat.interval() == kRepeatDelayMs)
        m_repeat.setInterval(kRepeatIntervalMs);
    if (m_target)
        m_target->triggerAction(m_action);
}

void CSkinVScrollBar::PaintBar(QPainter& p) const
{
    const SkinPalette& s = Skin();
    const int h = height();
    p.drawPixmap(0, 0, s.vScrollUp);
    p.drawPixmap(QRect(0, kArrow, kArrow, std::max(0, h - 2 * kArrow)), s.vScrollTrack);
    p.drawPixmap(0, h - 2 * kArrow, s.vScrollDown);
    p.drawPixmap(0, h - kArrow, s.scrollCorner);
    if (CanScroll()) {
        const QRect area(1, ThumbPosition(), kArrow, kThumb);
        p.fillRect(area, s.scrollFill);
        p.drawPixmap(area.topLeft(), s.vScrollThumb);
    }
}

void CSkinHScrollBar::PaintBar(QPainter& p) const
{
    const SkinPalette& s = Skin();
    const int w = width();
    p.drawPixmap(0, 0, s.hScrollLeft);
    p.drawPixmap(QRect(kArrow, 0, std::max(0, w - kArrow), kArrow), s.hScrollTrack);
    p.drawPixmap(w - kArrow, 0, s.hScrollRight);
    if (CanScroll()) {
        const QRect area(ThumbPosition(), 0, kThumb, kArrow);
        p.fillRect(area, s.scrollFill);
        p.drawPixmap(area.topLeft(), s.hScrollThumb);
    }
}

} // namespace kelvara
