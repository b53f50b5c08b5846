// A strip of tabs, each drawn with a picture of its normal and of its
// selected look (red transparent). When the tabs are wider together than the
// strip, two arrows at its right end scroll them by one tab.
#pragma once

#include "CSkinButton.h"
#include "LazyMaskedBitmap.h"
#include "TabStripLayout.h"

#include <vector>

namespace kelvara {

class CImageTab : public CSkinButton {
    Q_OBJECT
public:
    static constexpr QRgb kTransparent = qRgb(255, 0, 0);

    explicit CImageTab(QWidget* parent = nullptr);

    // Stores the tab at index: bitmapId is its picture while selected,
    // bitmapId + skin_id::kTabNormalOffset its picture otherwise.
    void AddImage(int index, int bitmapId);
    // Ignored for an index outside the tabs added; brings the tab into view.
    void Select(int index);
    // Selects a tab as a press on it does, telling the owner with
    // ImageTabClick; false (and nothing sent) when the index is outside the
    // tabs added or already selected. Keys of the strip and of the window use it.
    bool ChooseTab(int index);
    int GetCurSel() const { return m_selected; }
    int Count() const { return int(m_tabs.size()); }

    // Moves the tabs by whole tabs, as the arrows do; false at either end.
    bool ScrollTabs(int tabs);
    bool ShowsScrollArrows() const { return Layout().Scrolls(); }
    int FirstShownTab() const { return Layout().FirstShown(); }
    bool CanScroll(TabStripLayout::Arrow arrow) const { return Layout().CanScroll(arrow); }
    // The part of the strip a tab covers, in its coordinates: empty for a tab
    // scrolled out of view, cut at the arrows for one partly shown.
    QRect TabRect(int index) const;
    // Where the tab lies in the scrolled row, in view or not.
    QRect TabPlace(int index) const;
    QRect ArrowRect(TabStripLayout::Arrow arrow) const;

signals:
    // A press that did not hit the selected tab, sent to the owner; also sent
    // for the pixels at the right end that belong to no tab, and for every
    // tab chosen with ChooseTab. Presses on the arrows send nothing.
    void ImageTabClick(CImageTab* tab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Around the selected tab, so the mark shows which tab the keys move from.
    QRect FocusMarkRect() const override;

private:
    // Decoded when first drawn: a hidden strip and looks not shown cost nothing.
    struct Tab {
        LazyMaskedBitmap selected;
        LazyMaskedBitmap normal;
    };
    struct ArrowLooks {
        LazyMaskedBitmap idle, hover, off;
    };

    // The layout for the present tabs and width: a strip set up while hidden
    // learns its width only when shown. The first tab shown stays where it can.
    TabStripLayout& Layout() const;
    void DrawPicture(QPainter& painter, QPoint at, const LazyMaskedBitmap& look) const;
    void DrawArrow(QPainter& painter, TabStripLayout::Arrow arrow, const ArrowLooks& looks) const;
    void SetHotArrow(TabStripLayout::Arrow arrow);

    std::vector<Tab> m_tabs;
    ArrowLooks m_left, m_right;
    int m_selected = -1;
    mutable TabStripLayout m_layout;
    TabStripLayout::Arrow m_hotArrow = TabStripLayout::Arrow::None;
};

} // namespace kelvara
