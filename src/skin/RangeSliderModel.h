// The arithmetic of the two-thumb range slider without a widget: the values,
// their normalisation, the thumbs' pixel positions and hit areas, dragging and
// the arrow keys. Every change answers the notifications the slider sends.
#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

namespace kelvara {

// Which part of the slider a notification or a drag is about.
enum class RangePart : int { Left = 0, Right = 1, Bar = 2 };

// One change notification: the part (0 left, 1 right, 2 bar) and whether it
// ends a drag.
struct RangeNotice {
    int part = 0;
    bool final = false;
    bool operator==(const RangeNotice&) const = default;
};

using RangeNotices = std::vector<RangeNotice>;

class RangeSliderModel {
public:
    // The thumbs' width along the track once painted; before the first
    // paint the slider works with the smaller initial one.
    static constexpr int kPaintedArrowWidth = 13;
    static constexpr int kInitialArrowWidth = 10;

    double Min() const { return m_min; }
    double Max() const { return m_max; }
    double Left() const { return m_left; }
    double Right() const { return m_right; }

    // The smaller argument becomes the minimum.
    RangeNotices SetMinMax(double a, double b);
    RangeNotices SetRange(double left, double right);

    // The geometry of a slider of this size, as each paint fixes it.
    void Layout(int width, int height);
    int TrackLength() const { return m_trackLength; }
    int ArrowWidth() const { return m_arrowWidth; }
    int LeftPixel() const { return PixelOf(m_left); }
    int RightPixel() const { return PixelOf(m_right); }
    QRect LeftRect() const { return m_leftRect; }
    QRect RightRect() const { return m_rightRect; }
    QRect MiddleRect() const { return m_middleRect; }

    // A press starts a drag when it lands on a thumb or on the bar between them.
    bool Press(QPoint point);
    bool Tracking() const { return m_tracking; }
    RangePart TrackMode() const { return m_trackMode; }
    // A mouse move while dragging; nothing when not dragging.
    RangeNotices Move(int x);
    // The end of a drag, always reported as final, even when nothing moved.
    RangeNotices Release();

    // Right or Left arrow; with `shift` only the right end moves. Nothing
    // when the value per pixel is 0.
    RangeNotices Arrow(bool increase, bool shift);

private:
    RangeNotices Normalise();
    int PixelOf(double value) const;
    double ValueAt(double pixel) const;
    void MoveLeftThumb(int p);
    void MoveRightThumb(int p);
    void MoveBar(int p);

    double m_min = 0.0;
    double m_max = 1.0;
    double m_left = 0.0;
    double m_right = 1.0;
    int m_arrowWidth = kInitialArrowWidth;
    int m_trackLength = 0;
    QRect m_leftRect;
    QRect m_rightRect;
    QRect m_middleRect;
    bool m_tracking = false;
    RangePart m_trackMode = RangePart::Left;
    QPoint m_grabOffset;
};

} // namespace kelvara
