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
    int GetCurSel() const { return m_selected; }
    int Count() const { return m_count; }

signals:
    // A press that did not hit the selected tab, sent to the owner; also sent
    // for the few pixels at the right end that belong to no tab.
    void ImageTabClick(CImageTab* tab);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::array<int, kMaxTabs> m_ids {};
    int m_count = 0;
    int m_selected = -1;
};

} // namespace kelvara
