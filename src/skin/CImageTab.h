// A strip of tabs drawn as one bitmap per selected tab (red transparent).
#pragma once

#include "CSkinButton.h"

#include <array>

namespace kelvara {

class CImageTab : public CSkinButton {
    Q_OBJECT
public:
    static constexpr int kMaxTabs = 5;
    static constexpr QRgb kTransparent = qRgb(255, 0, 0);

    explicit CImageTab(QWidget* parent = nullptr);

    // Stores the bitmap shown while tab index is selected.
    void AddImage(int index, int bitmapId);
    // Ignored for an index outside the tabs added.
    void Select(int index);
    // Selects a tab as a press on it does, telling the owner with
    // ImageTabClick; false (and nothing sent) when the index is outside the
    // tabs added or already selected. Keys of the strip and of the window use it.
    bool ChooseTab(int index);
    int GetCurSel() const { return m_selected; }
    int Count() const { return m_count; }

signals:
    // A press that did not hit the selected tab, sent to the owner; also sent
    // for the few pixels at the right end that belong to no tab, and for every
    // tab chosen with ChooseTab.
    void ImageTabClick(CImageTab* tab);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Around the selected tab, so the mark shows which tab the keys move from.
    QRect FocusMarkRect() const override;

private:
    std::array<int, kMaxTabs> m_ids {};
    int m_count = 0;
    int m_selected = -1;
};

} // namespace kelvara
