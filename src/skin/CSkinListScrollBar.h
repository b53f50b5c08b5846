// The file list's two bitmap scroll bars, 16 pixels thick, standing beside
// and below the list in its parent. They drive the list's own (hidden) scroll
// bars: arrows scroll by a line (repeating while held), the track by a page,
// and the 75-pixel thumb area can be dragged.
#pragma once

#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

namespace kelvara {

class CSkinListScrollBar : public QWidget {
    Q_OBJECT
public:
    CSkinListScrollBar(Qt::Orientation orientation, QWidget* parent);

    // The list's scroll bar this one shows and moves.
    void Link(QScrollBar* target);
    bool CanScroll() const;
    // Where the thumb area starts along the bar, in pixels.
    int ThumbPosition() const;
    // The scroll value a thumb area starting at `pixel` stands for.
    int ValueAtThumbPosition(int pixel) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    virtual void PaintBar(QPainter& p) const = 0;
    int Length() const;
    int Along(const QPoint& point) const;

private:
    enum class Press { None, LineBack, LineForward, Thumb };
    void StartRepeat(QAbstractSlider::SliderAction action);
    void OnRepeat();

    Qt::Orientation m_orientation;
    QPointer<QScrollBar> m_target;
    QTimer m_repeat;
    QAbstractSlider::SliderAction m_action = QAbstractSlider::SliderNoAction;
    Press m_press = Press::None;
    int m_grabOffset = 0;
};

class CSkinVScrollBar : public CSkinListScrollBar {
    Q_OBJECT
public:
    explicit CSkinVScrollBar(QWidget* parent)
        : CSkinListScrollBar(Qt::Vertical, parent)
    {
    }

protected:
    void PaintBar(QPainter& p) const override;
};

class CSkinHScrollBar : public CSkinListScrollBar {
    Q_OBJECT
public:
    explicit CSkinHScrollBar(QWidget* parent)
        : CSkinListScrollBar(Qt::Horizontal, parent)
    {
    }

protected:
    void PaintBar(QPainter& p) const override;
};

} // namespace kelvara
