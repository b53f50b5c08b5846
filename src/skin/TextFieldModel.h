// The editing rules of the skinned text field, without a window: text,
// caret and selection, and what each key does to them.
#pragma once

#include <QString>
#include <optional>

namespace kelvara {

class TextFieldModel {
public:
    // A text reaching the limit is refused; the longest text is one less.
    static constexpr int kNumberLimit = 512;
    // A folder path may be as long as the system allows one (PATH_MAX).
    static constexpr int kPathLimit = 4096;

    explicit TextFieldModel(int limit = kNumberLimit)
        : m_limit(limit)
    {
    }

    int Limit() const { return m_limit; }
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
    // Home, End and the word moves: the caret goes to `index`, carrying the
    // selection's free end with it when extending.
    void MoveCaretTo(int index, bool extendSelection);
    // Where Ctrl+Left and Ctrl+Right go: the start of the word before the
    // caret and the end of the word after it. A word is a run of letters,
    // marks and digits, so "/", ".", "-" and blanks separate the words of a path.
    int PreviousWordStart() const;
    int NextWordEnd() const;
    // One character left or right of the caret as a reader counts them: a
    // letter with its accents, or a pair of surrogates, is one step.
    int PreviousCharacter() const;
    int NextCharacter() const;
    void PlaceCaret(int index);
    void ExtendSelectionTo(int index);
    void SelectAll();
    void ClearSelection();

private:
    int Clamp(int index) const { return qBound(0, index, int(m_text.size())); }

    int m_limit;
    QString m_text;
    int m_caret = 0;
    int m_anchor = 0;
    int m_end = 0;
};

} // namespace kelvara
