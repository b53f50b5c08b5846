#include "TextFieldModel.h"

namespace kelvara {

void TextFieldModel::SetText(const QString& text)
{
    m_text = text.left(MaxLength - 1);
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
    m_text.remove(--m_caret, 1);
    ClearSelection();
    return true;
}

bool TextFieldModel::Delete()
{
    if (HasSelection())
        return DeleteSelection();
    if (m_caret >= m_text.size())
        return false;
    m_text.remove(m_caret, 1);
    return true;
}

bool TextFieldModel::Insert(const QString& text)
{
    if (text.isEmpty())
        return false;
    const int kept = int(m_text.size()) - (SelectionEnd() - SelectionStart());
    if (kept + text.size() >= MaxLength)
        return false;
    DeleteSelection();
    m_text.insert(m_caret, text);
    m_caret += int(text.size());
    ClearSelection();
    return true;
}

void TextFieldModel::MoveCaret(int delta, bool extendSelection)
{
    if (!extendSelection) {
        ClearSelection();
        m_caret = Clamp(m_caret + delta);
        m_anchor = m_end = m_caret;
        return;
    }
    if (!HasSelection())
        m_anchor = m_end = m_caret;
    m_end = Clamp(m_end + delta);
    m_caret = m_end;
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
