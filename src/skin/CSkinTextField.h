// A self-drawn single-line entry in the skin's face: for numbers, or for a
// folder path, which takes any text a path can hold.
#pragma once

#include "TextFieldModel.h"

#include <QColor>
#include <QTimer>
#include <QVector>
#include <QWidget>

namespace kelvara {

enum class TextFieldKind {
    Number, // digits, "." and "-" from the keyboard
    Path, // every printable character, typed or composed by an input method
};

class CSkinTextField : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaretBlinkMs = 500;
    static constexpr int kTextLeft = 3;

    explicit CSkinTextField(QWidget* parent = nullptr, TextFieldKind kind = TextFieldKind::Number);
    TextFieldKind Kind() const { return m_kind; }

    void SetText(const QString& text);
    QString GetText() const { return m_model.Text(); }
    void EnableWindow(bool enable);
    void SetTextColour(QColor colour);
    const TextFieldModel& Model() const { return m_model; }
    // Edits asked for by assistive technologies, which hand over whole texts
    // rather than keys: a replacement behaves as a paste over the range
    // [start, end) and is refused as a paste would be.
    bool ReplaceRange(int start, int end, const QString& text);
    void SelectRange(int start, int end);
    void PlaceCaret(int index);
    bool IsCaretVisible() const { return m_caretVisible; }
    // The x position of each character's left edge, and one past the last,
    // as if the text were not scrolled.
    const QVector<int>& CharacterPositions() const { return m_positions; }
    // How far the text is scrolled left so that the caret stays in view.
    int ScrollOffset() const { return m_scroll; }
    // What an input method is composing at the caret, not yet part of the text.
    const QString& Composition() const { return m_composition; }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

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
    void resizeEvent(QResizeEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool HandleKey(QKeyEvent* event);
    bool HandleMove(QKeyEvent* event);
    bool TypedText(QKeyEvent* event);
    bool Paste();
    void Copy() const;
    int IndexAt(int x) const;
    void Recompute();
    void TextChanged();
    void KeepCaretInView();
    QRect CaretRect() const;

    TextFieldKind m_kind;
    TextFieldModel m_model;
    QString m_composition;
    int m_scroll = 0;
    QVector<int> m_positions;
    QTimer m_blink;
    QColor m_textColour = Qt::black;
    bool m_caretVisible = false;
    bool m_dragging = false;
};

} // namespace kelvara
