// The program's message box in the skin: a caption band, an icon, a text of
// one or more lines and one or two text buttons, sized to the text.
#pragma once

#include <QDialog>
#include <QPoint>

namespace kelvara {

class CSkinButton;
class CSkinIconStatic;
class CSkinLabel;

// The message box types and results the program uses, with their usual values.
namespace box_style {
enum : int {
    Ok = 0x00,
    OkCancel = 0x01,
    YesNo = 0x04,
    IconHand = 0x10,
    IconQuestion = 0x20,
    IconExclamation = 0x30,
    IconAsterisk = 0x40,

    IdOk = 1,
    IdCancel = 2,
    IdYes = 6,
    IdNo = 7,
};
} // namespace box_style

class CSkinMessageBox : public QDialog {
    Q_OBJECT
public:
    // Control ids of the box's children.
    static constexpr int CaptionId = 1003;
    static constexpr int CloseId = 1004;
    static constexpr int IconId = 1001;
    static constexpr int TextId = 1002;
    static constexpr int FirstButtonId = 1;
    static constexpr int SecondButtonId = 2;

    // owner: the window the box is centred on when it is visible; an empty
    // caption selects the default one of the icon type.
    CSkinMessageBox(QWidget* owner, const QString& text, const QString& caption, int type);
    ~CSkinMessageBox() override;

    static QString DefaultCaption(int type);
    static int IconResource(int type);
    int Result() const { return m_result; }

    CSkinLabel* CaptionLabel() const { return m_caption; }
    CSkinLabel* TextLabel() const { return m_text; }
    CSkinIconStatic* IconStatic() const { return m_icon; }
    CSkinButton* FirstButton() const { return m_first; }
    CSkinButton* SecondButton() const { return m_second; }
    CSkinButton* CloseButton() const { return m_close; }

    void OnOK();
    void OnCancel();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void reject() override;

private:
    void SetUpCloseButton();
    void LayOut(QWidget* owner);

    int m_type = 0;
    int m_result = box_style::IdCancel;
    CSkinLabel* m_caption = nullptr;
    CSkinLabel* m_text = nullptr;
    CSkinIconStatic* m_icon = nullptr;
    CSkinButton* m_first = nullptr;
    CSkinButton* m_second = nullptr;
    CSkinButton* m_close = nullptr;
    QPoint m_dragOffset;
};

// Shows a message modally and returns the button chosen: IdOk or IdCancel,
// IdYes or IdNo for YesNo.
int SkinMessageBox(QWidget* owner, const QString& text, const QString& caption, int type);

} // namespace kelvara
