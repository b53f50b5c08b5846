// The drop-down selector of every option list: the items and the selection
// stay in the combo box; the closed face and the pop-up list are the skin's.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QPixmap>
#include <QPointer>

#include "CSkinDropList.h"

namespace kelvara {

class CSkinComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kFaceHeight = 18;
    static constexpr int kDefaultDroppedHeight = 200;

    explicit CSkinComboBox(QWidget* parent = nullptr);
    ~CSkinComboBox() override;

    // Sets the selection without telling the owner.
    void SetCurSel(int index);
    void EnableWindow(bool enable);
    // The height available to the pop-up list.
    void SetDroppedHeight(int height) { m_droppedHeight = height; }
    int DroppedHeight() const { return m_droppedHeight; }

    bool IsOpen() const { return m_list != nullptr; }
    CSkinDropList* DropList() const { return m_list; }
    void Open();
    void Close();
    // A selection by the user: the owner is told with a posted SelChange,
    // after the selection has been set and shown.
    void SelectByUser(int index);

    QColor FrameLight() const { return m_frameLight; }
    QColor FrameDark() const { return m_frameDark; }
    QColor TextHot() const { return m_textHot; }
    QColor TextNormal() const { return m_textNormal; }
    const QPixmap& ListBitmap() const { return m_listBitmap; }

    void showPopup() override;
    void hidePopup() override;

signals:
    void SelChange(CSkinComboBox* combo);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Toggle();
    void Step(int delta);

    QColor m_frameLight;
    QColor m_frameDark;
    QColor m_textHot;
    QColor m_textNormal;
    QPixmap m_faceBitmap;
    QPixmap m_listBitmap;
    QPixmap m_arrowBitmap;
    QPointer<CSkinDropList> m_list;
    int m_droppedHeight = kDefaultDroppedHeight;
};

} // namespace kelvara
