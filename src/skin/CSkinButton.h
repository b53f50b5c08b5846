// The owner-drawn push button behind every clickable picture: bitmap or icon
// buttons with a hover image and sound, icon check boxes, and menu buttons.
#pragma once

#include "LazyMaskedBitmap.h"
#include "MaskedBitmap.h"

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <memory>

class QMenu;

namespace kelvara {

namespace platform {
class SoundPlayer;
}

class CSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    // Indices of the six colours.
    enum ColourIndex {
        BackgroundIn = 0, // hovering or pressed
        TextIn = 1,
        BackgroundOut = 2, // idle
        TextOut = 3,
        BackgroundFocus = 4,
        TextFocus = 5,
    };
    enum class Image { None, In, Out };
    static constexpr int kMaxSoundPathLength = 260;

    explicit CSkinButton(QWidget* parent = nullptr);
    ~CSkinButton() override;

    // The button behaves as a check box (a click toggles the check state).
    void SetCheckMode(bool checkMode);
    bool IsCheckMode() const { return m_checkMode; }
    void SetDefault(bool isDefault) { m_isDefault = isDefault; }
    bool IsDefault() const { return m_isDefault; }

    // Bitmap resources; outId 0 means no idle image. 0 on success, 1 when a
    // bitmap cannot be read, 2 when its mask cannot be made (images cleared then).
    int SetBitmaps(int inId, QRgb inTransparent, int outId, QRgb outTransparent);
    int SetBitmaps(const QImage& in, QRgb inTransparent, const QImage& out, QRgb outTransparent);
    // Icon resources; outId 0 means none. 1 when an icon cannot be read.
    int SetIcon(int inId, int outId);
    int SetIcon(const QPixmap& in, const QPixmap& out);
    // 0 image left of the text, 1 image above it; 4 for a value above 3.
    int SetAlign(int align, bool repaint = true);
    // 3 when the index is above 5.
    int SetColour(int index, QColor colour, bool repaint = true);
    void SetDefaultColours(bool repaint = true);
    QColor Colour(int index) const;
    // The parent's pixels show through the button instead of a filled background.
    void DrawTransparent(bool repaint = false);
    void DrawBorder(bool drawBorder, bool repaint = true);
    void SetGreyWhenDisabled(bool grey) { m_greyWhenDisabled = grey; }
    void SetAlwaysTrack(bool alwaysTrack) { m_alwaysTrack = alwaysTrack; }
    // Only in check mode.
    void SetCheck(bool checked, bool repaint = true);
    bool GetCheck() const { return m_checked; }
    // The button shows the menu on a click and posts the chosen action's
    // command id (the action's data) as MenuCommand. Takes the menu; 1 when
    // there is none.
    int SetMenu(std::unique_ptr<QMenu> menu, QWidget* owner, bool repaint = true);
    QMenu* Menu() const { return m_menu.get(); }
    // The sound played when the mouse enters; an empty path clears it.
    void SetSound(const QString& path, bool async);
    QString Sound() const { return m_soundPath; }
    void SetSoundPlayer(platform::SoundPlayer* player) { m_soundPlayer = player; }

    bool IsHovering() const { return m_mouseOver; }
    bool IsMenuShown() const { return m_menuShown; }
    bool IsPressedLook() const;
    // The focus mark is drawn while the button has the focus, unless a mouse
    // press gave it: the mouse user sees the hover image instead.
    bool ShowsFocusMark() const;
    // The image the button draws in its present state.
    Image ShownImage() const;

signals:
    // A command chosen from the button's menu, posted to the menu owner.
    void MenuCommand(int commandId);

protected:
    virtual void OnDrawBackground(QPainter& painter, const QRect& rect);
    virtual void OnDrawBorder(QPainter& painter, const QRect& rect);
    virtual void DrawTheIcon(QPainter& painter, const QRect& imageRect);
    virtual void DrawTheBitmap(QPainter& painter, const QRect& imageRect);
    virtual void DrawTheText(QPainter& painter, const QRect& textRect);
    // Shows the menu and returns the chosen command id, 0 for none.
    virtual int TrackMenu(const QPoint& globalPosition);
    // Where the focus mark goes; the whole button by default.
    virtual QRect FocusMarkRect() const;
    // A key used on the button shows the mark even when a press focused it.
    void NoteKeyboardUse();

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct IconImage {
        QPixmap pixmap;
        bool IsNull() const { return pixmap.isNull(); }
    };

    void OnClicked();
    void TrackHover(QPoint position, Qt::MouseButtons buttons);
    void LeaveHover();
    void MoveFocusOnDisable();
    void ClearImages();
    QSize ImageSize() const;
    void LayOut(QRect& imageRect, QRect& textRect) const;
    void Repaint(bool repaint);

    bool m_mouseOver = false;
    bool m_isDefault = false;
    bool m_checkMode = false;
    bool m_checked = false;
    bool m_drawTransparent = false;
    bool m_drawBorder = true;
    bool m_alwaysTrack = true;
    bool m_greyWhenDisabled = true;
    bool m_menuShown = false;
    bool m_focusFromMouse = false;
    int m_align = 0;
    QPoint m_pressedOffset { 1, 1 };
    QPoint m_margin { 3, 3 };
    QColor m_colours[6];
    IconImage m_iconIn, m_iconOut;
    // The skin's pictures are decoded when first drawn: the pressed and hover
    // look (in) of most buttons is never needed for the first paint.
    LazyMaskedBitmap m_bitmapIn, m_bitmapOut;
    std::unique_ptr<QMenu> m_menu;
    QPointer<QWidget> m_menuOwner;
    QString m_soundPath;
    bool m_soundAsync = true;
    platform::SoundPlayer* m_soundPlayer = nullptr;
};

} // namespace kelvara
