// A self-drawn single-line entry for numbers, in the skin's face.
#pragma once

#include "TextFieldModel.h"

#include <QColor>
#include <QTimer>
#include <QVector>
#include <QWidget>

namespace kelvara {

class CSkinTextField : public QWidget {
    Q_OBJECT
public:
    static constexpr int CaretBlinkMs = 500;
    static constexpr int TextLeft = 3;

    explicit CSkinTextField(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString GetText() const { return m_model.Text(); }
    void EnableWindow(bool enable);
    void SetTextColor(QColor colour);
    const TextFieldModel& Model() const { return m_model; }
    // Edits asked for by assistive technologies, which hand over whole texts
    // rather than keys: a replacement behaves as a paste over the range
    // [start, end) and is refused as a paste would be.
    bool ReplaceRange(int start, int end, const QString& text);
    void SelectRange(int start, int end);
    void PlaceCaret(int index);
    bool IsCaretVisible() const { return m_caretVisible; }
    // The x position of each character's left edge, and one past the last.
    const QVector<int>& CharacterPositions() const { return m_positions; }

signals:
    // Posted after every change of the text.
    void EditUpdate(CSkinTextField* field);
    // Sent after every key press but Tab, whether it changed anything or not.
    void TextFieldKey(CSkinTextField* field);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool HandleKey(QKeyEvent* event);
    bool Paste();
    void Copy() const;
    int IndexAt(int x) const;
    void Recompute();
    void TextChanged();

    TextFieldModel m_model;
    QVector<int> m_positions;
    QTimer m_blink;
    QColor m_textColour = Qt::black;
    bool m_caretVisible = false;
    bool m_dragging = false;
};

} // namespace kelvara
