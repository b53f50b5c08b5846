// A skinned single-selection list with its own small scroll bar.
#pragma once

#include "RowLayout.h"

#include <QColor>
#include <QPixmap>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace kelvara {

class CSkinMiniScrollBar;

class CSkinListBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxItems = 200;

    explicit CSkinListBox(QWidget* parent = nullptr);

    // Returns the new item's index, or -1 when the list is full.
    int AddString(const QString& text);
    void ResetContent();
    int GetCount() const { return int(m_items.size()); }
    QString GetText(int index) const { return m_items.value(index); }
    // The first selected item, or -1.
    int GetCurSel() const;
    void SetItemFlag(int index, bool value);
    bool ItemFlag(int index) const { return m_flags.value(index); }
    int ScrollOffset() const { return m_offset; }
    int VisibleRows() const { return m_visibleRows; }
    bool HasScrollBar() const { return m_scrollBarNeeded; }

signals:
    void SelChange(CSkinListBox* list); // posted
    void dblClk(CSkinListBox* list); // posted

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Relayout();
    void SelectOnly(int index);
    void ScrollTo(int index);
    void OnMiniScroll(int position);

    QStringList m_items;
    QVector<bool> m_flags;
    RowLayout m_rows;
    int m_offset = 0;
    int m_visibleRows = 0;
    bool m_scrollBarNeeded = false;
    CSkinMiniScrollBar* m_scrollBar = nullptr;
    QPixmap m_panelTile; // 178
    QPixmap m_bodyTile; // 174
    QColor m_frameLight { 200, 200, 200 };
    QColor m_frameDark { 97, 66, 49 };
    QColor m_textSelected { 200, 200, 200 };
    QColor m_text { 20, 20, 20 };
};

} // namespace kelvara
