// The file list's bitmap header: a 16-pixel strip of bitmap 157 with the
// separator pieces 158 and 159 around each column and grey bold titles.
#pragma once

#include <QHeaderView>

namespace kelvara {

class CSkinHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    explicit CSkinHeaderCtrl(QWidget* parent = nullptr);

    // The column under a point of the header, -1 when none.
    int ColumnAt(const QPoint& point) const;
    // The titles' font: Tahoma, height 13, bold.
    static QFont TitleFont();
    // Where a column's title is drawn, given the column's left edge and width.
    static QRect TitleRect(int left, int width, int headerHeight);

signals:
    void HeaderRightClicked(int column, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QSize sizeHint() const override;

private:
    void PaintColumn(QPainter& p, int logical, int visual) const;
};

} // namespace kelvara
