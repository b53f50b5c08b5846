// The editing rules of the skinned text field, without a window: text,
// caret and selection, and what each key does to them.
#pragma once

#include <QString>
#include <optional>

namespace kelvara {

class TextFieldModel {
public:
    // A text reaching this length is refused; the longest text is one less.
    static constexpr int MaxLength = 512;

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    int Caret() const { return m_caret; }
    bool HasSelection() const { return m_anchor != m_end; }
    int SelectionStart() const { return qMin(m_anchor, m_end); }
    int SelectionEnd() const { return qMax(m_anchor, m_end); }
    QString SelectedText() const;

    // Each returns true when the text changed.
    bool Backspace();
    bool Delete();
    // Replaces the selection; refused (nothing changes) when the result would
    // reach MaxLength.
    bool Insert(const QString& text);
    bool DeleteSelection();
    void MoveCaret(int delta, bool extendSelection);
    void PlaceCaret(int index);
    void ExtendSelectionTo(int index);
    void SelectAll();
    void ClearSelection();

private:
    int Clamp(int index) const { return qBound(0, index, int(m_text.size())); }

    QString m_text;
    int m_caret = 0;
    int m_anchor = 0;
    int m_end = 0;
};

} // namespace kelvara
