#include "SkinTextFieldAccessible.h"

#include "CSkinTextField.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

namespace kelvara {
namespace {

class TextFieldAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit TextFieldAccessible(CSkinTextField* field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }
    CSkinTextField* Field() const { return static_cast<CSkinTextField*>(widget()); }
    const TextFieldModel& Model() const { return Field()->Model(); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Field()->GetText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.focusable = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Model().HasSelection()) {
            *start = Model().SelectionStart();
            *end = Model().SelectionEnd();
        }
    }
    int selectionCount() const override { return Model().HasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override
    {
        if (!Model().HasSelection())
            Field()->SelectRange(start, end);
    }
    void removeSelection(int index) override
    {
        if (index == 0)
            Field()->PlaceCaret(Model().Caret());
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            Field()->SelectRange(start, end);
    }
    int cursorPosition() const override { return Model().Caret(); }
    void setCursorPosition(int position) override { Field()->PlaceCaret(position); }
    QString text(int start, int end) const override { return Field()->GetText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Field()->GetText().size()); }
    QRect characterRect(int offset) const override
    {
        const QVector<int>& positions = Field()->CharacterPositions();
        if (offset < 0 || offset + 1 >= positions.size())
            return {};
        const int left = positions[offset] - Field()->ScrollOffset();
        const QRect local(left, 0, positions[offset + 1] - positions[offset], Field()->height());
        return QRect(Field()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const int x = Field()->mapFromGlobal(point).x() + Field()->ScrollOffset();
        const QVector<int>& positions = Field()->CharacterPositions();
        for (int i = 0; i + 1 < positions.size(); ++i)
            if (x >= positions[i] && x < positions[i + 1])
                return i;
        return -1;
    }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // QAccessibleEditableTextInterface: a disabled field takes no text, as
    // it takes no keys.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (Field()->isEnabled())
            Field()->ReplaceRange(start, end, text);
    }
};

} // namespace

QAccessibleInterface* NewTextFieldAccessible(QWidget* field)
{
    return new TextFieldAccessible(static_cast<CSkinTextField*>(field));
}

} // namespace kelvara
