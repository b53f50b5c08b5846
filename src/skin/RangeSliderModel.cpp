#include "RangeSliderModel.h"

#include <algorithm>
#include <cmath>

namespace kelvara {

namespace {

// The track leaves room for both thumbs: values map to [0, width - 26].
constexpr int kThumbsWidth = 2 * RangeSliderModel::kPaintedArrowWidth;

// The centre of a rectangle whose right edge lies outside it, as the
// geometry of the thumbs is reckoned.
int CentreX(int left, int rightOutside)
{
    return (left + rightOutside) / 2;
}

} // namespace

RangeNotices RangeSliderModel::SetMinMax(double a, double b)
{
    m_min = std::min(a, b);
    m_max = std::max(a, b);
    return Normalise();
}

RangeNotices RangeSliderModel::SetRange(double left, double right)
{
    m_left = left;
    m_right = right;
    return Normalise();
}

RangeNotices RangeSliderModel::Normalise()
{
    RangeNotices notices;
    if (m_left < m_min) {
        m_left = m_min;
        notices.push_back({ 0, false });
        if (m_right < m_left) {
            m_right = m_left;
            notices.push_back({ 1, false });
        }
    }
    if (m_right > m_max) {
        m_right = m_max;
        notices.push_back({ 1, false });
        if (m_left > m_right) {
            m_left = m_right;
            notices.push_back({ 0, false });
        }
    }
    return notices;
}

// An empty range has no positions of its own: both thumbs sit at the start.
int RangeSliderModel::PixelOf(double value) const
{
    if (m_max <= m_min)
        return 0;
    return static_cast<int>(std::lround(m_trackLength * (value - m_min) / (m_max - m_min)));
}

double RangeSliderModel::ValueAt(double pixel) const
{
    if (m_trackLength <= 0)
        return m_min;
    return m_min + pixel / m_trackLength * (m_max - m_min);
}

void RangeSliderModel::Layout(int width, int height)
{
    m_arrowWidth = kPaintedArrowWidth;
    m_trackLength = width - kThumbsWidth;
    const int xLeft = LeftPixel();
    const int xRight = RightPixel();
    m_leftRect = QRect(xLeft, 0, m_arrowWidth, height);
    m_rightRect = QRect(xRight + m_arrowWidth, 0, m_arrowWidth, height);
    // The bar's hit area keeps a pixel clear of each thumb.
    const int barStart = xLeft + m_arrowWidth + 1;
    const int barEnd = xRight + m_arrowWidth - 1;
    m_middleRect = QRect(barStart, 0, std::max(0, barEnd - barStart + 1), height);
}

bool RangeSliderModel::Press(QPoint point)
{
    if (m_tracking)
        return false;
    int centre = 0;
    if (m_leftRect.contains(point)) {
        m_trackMode = RangePart::Left;
        centre = CentreX(m_leftRect.left(), m_leftRect.right() + 1);
    } else if (m_rightRect.contains(point)) {
        m_trackMode = RangePart::Right;
        centre = CentreX(m_rightRect.left(), m_rightRect.right() + 1);
    } else if (m_middleRect.contains(point)) {
        m_trackMode = RangePart::Bar;
        centre = CentreX(m_middleRect.left(), m_middleRect.right());
    } else {
        return false;
    }
    m_tracking = true;
    m_grabOffset = QPoint(point.x() - centre, 0);
    return true;
}

RangeNotices RangeSliderModel::Move(int x)
{
    if (!m_tracking)
        return {};
    const int p = x - m_grabOffset.x();
    switch (m_trackMode) {
    case RangePart::Left:
        MoveLeftThumb(p);
        return { { 0, false } };
    case RangePart::Right: {
        const double before = m_right;
        MoveRightThumb(p);
        return { { m_right != before ? 1 : 0, false } };
    }
    case RangePart::Bar:
        MoveBar(p);
        return { { 2, false } };
    }
    return {};
}

void RangeSliderModel::MoveLeftThumb(int p)
{
    m_left = ValueAt(p - m_arrowWidth / 2); // NOLINT(bugprone-integer-division): drawn at whole pixels
    if (m_left >= m_right)
        m_left = m_right;
    if (m_left <= m_min)
        m_left = m_min;
}

void RangeSliderModel::MoveRightThumb(int p)
{
    m_right = ValueAt(p - m_arrowWidth * 3 / 2); // NOLINT(bugprone-integer-division): drawn at whole pixels
    if (m_right <= m_left)
        m_right = m_left;
    if (m_right >= m_max)
        m_right = m_max;
}

// The bar keeps its width; against either end it stops whole.
void RangeSliderModel::MoveBar(int p)
{
    const double width = m_right - m_left;
    const double centre = ValueAt(p - m_arrowWidth);
    m_left = centre - width / 2;
    m_right = centre + width / 2;
    if (m_left <= m_min) {
        m_left = m_min;
        m_right = m_min + width;
    }
    if (m_right >= m_max) {
        m_right = m_max;
        m_left = m_max - width;
    }
}

RangeNotices RangeSliderModel::Release()
{
    if (!m_tracking)
        return {};
    m_tracking = false;
    return { { static_cast<int>(m_trackMode), true } };
}

RangeNotices RangeSliderModel::Arrow(bool increase, bool shift)
{
    if (m_trackLength <= 0)
        return {};
    const double step = (m_max - m_min) / m_trackLength;
    if (step == 0.0)
        return {};
    int pl = static_cast<int>(std::lround((m_left - m_min) / step));
    int pr = static_cast<int>(std::lround((m_right - m_min) / step));
    const int delta = increase ? 1 : -1;
    if (!shift)
        pl += delta;
    pr += delta;
    // Shrinking with Shift stops where the ends meet, so the start never
    // passes the end.
    if (pl >= 0 && pr <= m_trackLength && pr >= pl) {
        m_left = m_min + pl * step;
        m_right = m_min + pr * step;
    }
    return { { shift ? 0 : 2, false } };
}

} // namespace kelvara
