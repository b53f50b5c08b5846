// The thin scroll bar inside the pop-up list and the list box. Ranges are
// item counts x 100.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace kelvara {

class CSkinMiniScrollBar : public QWidget {
    Q_OBJECT
public:
    explicit CSkinMiniScrollBar(QWidget* parent = nullptr);

    void SetLook(QColor light, QColor dark, const QPixmap& tile);
    void SetRange(int range, int page);
    // Clamped to [0, range - page].
    void SetPos(int position);
    int Pos() const { return m_position; }
    int Range() const { return m_range; }
    int Page() const { return m_page; }
    // The thumb's extent along the bar, in pixels.
    int ThumbStart() const;
    int ThumbLength() const;

signals:
    // Posted after the user moved the position.
    void MiniScroll(int position, CSkinMiniScrollBar* bar);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MoveByUser(int position);
    void Frame(QPainter& p, const QRect& r) const;

    QColor m_light { 200, 200, 200 };
    QColor m_dark { 180, 180, 180 };
    QPixmap m_tile;
    int m_range = 100;
    int m_page = 100;
    int m_position = 0;
    bool m_dragging = false;
    int m_dragStartY = 0;
    int m_dragStartPosition = 0;
};

} // namespace kelvara
