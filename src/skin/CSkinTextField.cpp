#include "CSkinTextField.h"

#include "FocusMark.h"
#include "PostEvent.h"
#include "SkinFont.h"
#include "SkinPalette.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace kelvara {

namespace {
// Click positions are matched against the character positions shifted left
// by this much, so a click just left of a character still lands before it.
constexpr int kHitSlack = 4;
} // namespace

CSkinTextField::CSkinTextField(QWidget* parent, TextFieldKind kind)
    : QWidget(parent)
    , m_kind(kind)
    , m_model(kind == TextFieldKind::Path ? TextFieldModel::kPathLimit : TextFieldModel::kNumberLimit)
{
    setFocusPolicy(Qt::StrongFocus);
    // Letters that take several keys (accents, other scripts) come composed
    // from the input method; a number field has no use for them.
    setAttribute(Qt::WA_InputMethodEnabled, kind == TextFieldKind::Path);
    setCursor(Qt::IBeamCursor);
    setFont(SkinFont(13, false));
    m_blink.setInterval(kCaretBlinkMs);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        m_caretVisible = !m_caretVisible;
        update();
    });
    Recompute();
}

void CSkinTextField::SetText(const QString& text)
{
    m_model.SetText(text);
    TextChanged();
}

bool CSkinTextField::ReplaceRange(int start, int end, const QString& text)
{
    SelectRange(start, end);
    const bool changed = text.isEmpty() ? m_model.DeleteSelection() : m_model.Insert(text);
    if (changed)
        TextChanged();
    return changed;
}

void CSkinTextField::SelectRange(int start, int end)
{
    m_model.PlaceCaret(start);
    m_model.ExtendSelectionTo(end);
    KeepCaretInView();
    update();
}

void CSkinTextField::PlaceCaret(int index)
{
    m_model.PlaceCaret(index);
    KeepCaretInView();
    update();
}

void CSkinTextField::EnableWindow(bool enable)
{
    setEnabled(enable);
    update();
}

void CSkinTextField::SetTextColour(QColor colour)
{
    m_textColour = colour;
    update();
}

void CSkinTextField::Recompute()
{
    const QFontMetrics metrics(font());
    m_positions.resize(m_model.Text().size() + 1);
    int x = kTextLeft;
    for (int i = 0; i < m_model.Text().size(); ++i) {
        m_positions[i] = x;
        x += metrics.horizontalAdvance(m_model.Text()[i]);
    }
    m_positions[m_model.Text().size()] = x;
}

void CSkinTextField::KeepCaretInView()
{
    if (m_positions.isEmpty())
        return;
    const int composed = QFontMetrics(font()).horizontalAdvance(m_composition);
    const int caret = m_positions[m_model.Caret()] + composed;
    const int visibleRight = width() - kTextLeft;
    if (caret - m_scroll > visibleRight)
        m_scroll = caret - visibleRight;
    if (caret - m_scroll < kTextLeft)
        m_scroll = caret - kTextLeft;
    // A text that has become shorter leaves no blank room at the right.
    m_scroll = qMax(0, qMin(m_scroll, m_positions.last() + composed - visibleRight));
}

QRect CSkinTextField::CaretRect() const
{
    const int composed = QFontMetrics(font()).horizontalAdvance(m_composition);
    const int x = m_positions[m_model.Caret()] + composed - m_scroll;
    return QRect(x, 3, 1, height() - 6);
}

void CSkinTextField::TextChanged()
{
    Recompute();
    KeepCaretInView();
    update();
    Post(this, [](CSkinTextField* self) { emit self->EditUpdate(self); });
}

void CSkinTextField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (HandleKey(event)) {
        TextChanged();
    } else {
        KeepCaretInView();
        update();
    }
    emit TextFieldKey(this);
}

bool CSkinTextField::HandleKey(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (control && key == Qt::Key_C) {
        Copy();
        return false;
    }
    if (control && key == Qt::Key_X) {
        Copy();
        return m_model.DeleteSelection();
    }
    if (control && key == Qt::Key_V)
        return Paste();
    if (control && key == Qt::Key_A) {
        m_model.SelectAll();
        return false;
    }
    if (HandleMove(event))
        return false;
    if (key == Qt::Key_Backspace)
        return m_model.Backspace();
    if (key == Qt::Key_Delete)
        return m_model.Delete();
    if (m_kind == TextFieldKind::Path)
        return TypedText(event);
    switch (key) {
    case Qt::Key_Period:
        return m_model.Insert(QStringLiteral("."));
    case Qt::Key_Minus:
        return m_model.Insert(QStringLiteral("-"));
    default:
        break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return m_model.Insert(QString(QChar('0' + (key - Qt::Key_0))));
    return false;
}

// Arrows by a character (with Ctrl by a word), Home and End; Shift carries
// the selection along. True when the key was one of them.
bool CSkinTextField::HandleMove(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        m_model.MoveCaretTo(control ? m_model.PreviousWordStart() : m_model.PreviousCharacter(), shift);
        return true;
    case Qt::Key_Right:
        m_model.MoveCaretTo(control ? m_model.NextWordEnd() : m_model.NextCharacter(), shift);
        return true;
    case Qt::Key_Home:
        m_model.MoveCaretTo(0, shift);
        return true;
    case Qt::Key_End:
        m_model.MoveCaretTo(int(m_model.Text().size()), shift);
        return true;
    default:
        return false;
    }
}

// The characters a key types into a path field, whatever the layout or
// script. Ctrl combinations are commands; AltGr, which some systems report
// as Ctrl+Alt, still types.
bool CSkinTextField::TypedText(QKeyEvent* event)
{
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (text.isEmpty() || ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)))
        return false;
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return m_model.Insert(text);
}

void CSkinTextField::Copy() const
{
    if (m_model.HasSelection())
        QApplication::clipboard()->setText(m_model.SelectedText());
}

bool CSkinTextField::Paste()
{
    QString text = QApplication::clipboard()->text();
    // A path copied from a terminal or a file manager often ends in a line
    // break; the field holds one line, the first.
    if (m_kind == TextFieldKind::Path)
        text = text.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'));
    return !text.isEmpty() && m_model.Insert(text);
}

int CSkinTextField::IndexAt(int x) const
{
    x += m_scroll;
    for (int i = 0; i + 1 < m_positions.size(); ++i)
        if (x >= m_positions[i] - kHitSlack && x < m_positions[i + 1] - kHitSlack)
            return i;
    return x < kTextLeft - kHitSlack ? 0 : int(m_model.Text().size());
}

void CSkinTextField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_model.PlaceCaret(IndexAt(int(event->position().x())));
    m_dragging = true;
    KeepCaretInView();
    update();
}

void CSkinTextField::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    m_model.ExtendSelectionTo(IndexAt(int(event->position().x())));
    KeepCaretInView();
    update();
}

void CSkinTextField::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

void CSkinTextField::mouseDoubleClickEvent(QMouseEvent*)
{
    m_model.SelectAll();
    update();
}

void CSkinTextField::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_caretVisible = true;
    m_blink.start();
    update();
}

void CSkinTextField::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_blink.stop();
    m_caretVisible = false;
    m_model.ClearSelection();
    m_composition.clear();
    KeepCaretInView();
    update();
}

void CSkinTextField::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        Recompute();
        KeepCaretInView();
    }
}

void CSkinTextField::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    KeepCaretInView();
}

void CSkinTextField::inputMethodEvent(QInputMethodEvent* event)
{
    if (m_kind != TextFieldKind::Path) {
        event->ignore();
        return;
    }
    bool changed = false;
    if (event->replacementLength() > 0) {
        const int start = m_model.Caret() + event->replacementStart();
        SelectRange(start, start + event->replacementLength());
        changed = m_model.DeleteSelection();
    }
    if (!event->commitString().isEmpty())
        changed = m_model.Insert(event->commitString()) || changed;
    m_composition = event->preeditString();
    if (changed) {
        TextChanged();
    } else {
        KeepCaretInView();
        update();
    }
    event->accept();
}

QVariant CSkinTextField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return m_kind == TextFieldKind::Path && isEnabled();
    case Qt::ImCursorRectangle:
        return CaretRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return m_model.Caret();
    case Qt::ImAnchorPosition:
        if (!m_model.HasSelection())
            return m_model.Caret();
        return m_model.Caret() == m_model.SelectionStart() ? m_model.SelectionEnd()
                                                           : m_model.SelectionStart();
    case Qt::ImSurroundingText:
        return m_model.Text();
    case Qt::ImCurrentSelection:
        return m_model.SelectedText();
    case Qt::ImMaximumTextLength:
        return m_model.Limit() - 1;
    case Qt::ImHints:
        return int(Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void CSkinTextField::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setClipRect(rect().adjusted(1, 1, -1, -1));
    const SkinPalette& skin = Skin();
    if (!skin.faceStrip.isNull())
        p.drawPixmap(rect(), skin.faceStrip);
    if (m_model.HasSelection() && !skin.selectionTile.isNull()) {
        const int left = m_positions[m_model.SelectionStart()] - m_scroll;
        const int right = m_positions[m_model.SelectionEnd()] - m_scroll;
        p.drawTiledPixmap(QRect(left, 3, right - left, height() - 6), skin.selectionTile);
    }
    p.setFont(font());
    p.setPen(m_textColour);
    const QFontMetrics metrics(font());
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    if (m_composition.isEmpty()) {
        p.drawText(kTextLeft - m_scroll, baseline, m_model.Text());
    } else {
        // The composition sits at the caret, underlined, pushing the rest right.
        const int caret = m_model.Caret();
        const int at = m_positions[caret] - m_scroll;
        const int composed = metrics.horizontalAdvance(m_composition);
        p.drawText(kTextLeft - m_scroll, baseline, m_model.Text().left(caret));
        p.drawText(at + composed, baseline, m_model.Text().mid(caret));
        QFont underlined = font();
        underlined.setUnderline(true);
        p.setFont(underlined);
        p.drawText(at, baseline, m_composition);
    }
    if (m_caretVisible) {
        const QRect caret = CaretRect();
        p.setPen(Qt::black);
        p.drawLine(caret.left(), 3, caret.left(), height() - 4);
    }
    // The caret blinks; the mark stays, so the focus shows at every moment.
    if (hasFocus())
        PaintFocusMark(p, rect().adjusted(1, 1, -1, -1));
}

} // namespace kelvara
