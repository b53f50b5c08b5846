// The two-thumb slider that selects a sub-range [left, right] of [min, max],
// drawn from the skin's slider bitmaps. Every change, the user's and the
// normalisation of the values set from outside, is reported at once through
// RangeChanged, so the receiver runs inside the mouse or key handler.
#pragma once

#include "RangeSliderModel.h"

#include <QWidget>

namespace kelvara {

class CRangeSlider : public QWidget {
    Q_OBJECT
public:
    explicit CRangeSlider(QWidget* parent = nullptr);

    void SetMinMax(double min, double max);
    void SetRange(double left, double right);
    double GetMin() const { return m_model.Min(); }
    double GetMax() const { return m_model.Max(); }
    double GetLeft() const { return m_model.Left(); }
    double GetRight() const { return m_model.Right(); }
    // The geometry of the last paint (hit areas, pixel positions).
    const RangeSliderModel& Model() const { return m_model; }

signals:
    // part: 0 left thumb, 1 right thumb, 2 the bar between them; final: the
    // end of a drag.
    void RangeChanged(int part, bool final);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Notify(const RangeNotices& notices);

    RangeSliderModel m_model;
};

} // namespace kelvara
