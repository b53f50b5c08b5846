#include "TextFieldModel.h"

#include <QTextBoundaryFinder>

namespace kelvara {

void TextFieldModel::SetText(const QString& text)
{
    m_text = text.left(m_limit - 1);
    m_caret = Clamp(m_caret);
    ClearSelection();
}

QString TextFieldModel::SelectedText() const
{
    return m_text.mid(SelectionStart(), SelectionEnd() - SelectionStart());
}

bool TextFieldModel::DeleteSelection()
{
    if (!HasSelection())
        return false;
    const int start = SelectionStart();
    m_text.remove(start, SelectionEnd() - start);
    m_caret = start;
    ClearSelection();
    return true;
}

bool TextFieldModel::Backspace()
{
    if (HasSelection())
        return DeleteSelection();
    if (m_caret == 0)
        return false;
    // One code point: an accent typed after its letter goes alone, but a
    // surrogate pair is never split.
    const bool pair
        = m_caret >= 2 && m_text[m_caret - 1].isLowSurrogate() && m_text[m_caret - 2].isHighSurrogate();
    const int count = pair ? 2 : 1;
    m_caret -= count;
    m_text.remove(m_caret, count);
    ClearSelection();
    return true;
}

bool TextFieldModel::Delete()
{
    if (HasSelection())
        return DeleteSelection();
    if (m_caret >= m_text.size())
        return false;
    m_text.remove(m_caret, NextCharacter() - m_caret);
    return true;
}

bool TextFieldModel::Insert(const QString& text)
{
    if (text.isEmpty())
        return false;
    const int kept = int(m_text.size()) - (SelectionEnd() - SelectionStart());
    if (kept + text.size() >= m_limit)
        return false;
    DeleteSelection();
    m_text.insert(m_caret, text);
    m_caret += int(text.size());
    ClearSelection();
    return true;
}

void TextFieldModel::MoveCaret(int delta, bool extendSelection)
{
    MoveCaretTo(m_caret + delta, extendSelection);
}

void TextFieldModel::MoveCaretTo(int index, bool extendSelection)
{
    if (!extendSelection) {
        m_caret = Clamp(index);
        ClearSelection();
        return;
    }
    if (!HasSelection())
        m_anchor = m_end = m_caret;
    m_end = Clamp(index);
    m_caret = m_end;
}

int TextFieldModel::PreviousCharacter() const
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, m_text);
    finder.setPosition(m_caret);
    const qsizetype previous = finder.toPreviousBoundary();
    return previous < 0 ? 0 : int(previous);
}

int TextFieldModel::NextCharacter() const
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, m_text);
    finder.setPosition(m_caret);
    const qsizetype next = finder.toNextBoundary();
    return next < 0 ? int(m_text.size()) : int(next);
}

namespace {
bool InWord(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c.isSurrogate();
}
} // namespace

int TextFieldModel::PreviousWordStart() const
{
    int i = m_caret;
    while (i > 0 && !InWord(m_text[i - 1]))
        --i;
    while (i > 0 && InWord(m_text[i - 1]))
        --i;
    return i;
}

int TextFieldModel::NextWordEnd() const
{
    const int size = int(m_text.size());
    int i = m_caret;
    while (i < size && !InWord(m_text[i]))
        ++i;
    while (i < size && InWord(m_text[i]))
        ++i;
    return i;
}

void TextFieldModel::PlaceCaret(int index)
{
    m_caret = Clamp(index);
    ClearSelection();
}

void TextFieldModel::ExtendSelectionTo(int index)
{
    if (!HasSelection())
        m_anchor = m_caret;
    m_end = Clamp(index);
    m_caret = m_end;
}

void TextFieldModel::SelectAll()
{
    m_anchor = 0;
    m_end = m_caret = int(m_text.size());
}

void TextFieldModel::ClearSelection()
{
    m_anchor = m_end = m_caret;
}

} // namespace kelvara
