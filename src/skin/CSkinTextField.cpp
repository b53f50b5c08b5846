#include "CSkinTextField.h"

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
constexpr int HitSlack = 4;
} // namespace

CSkinTextField::CSkinTextField(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setFont(SkinFont(13, false));
    m_blink.setInterval(CaretBlinkMs);
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
    else
        update();
    return changed;
}

void CSkinTextField::SelectRange(int start, int end)
{
    m_model.PlaceCaret(start);
    m_model.ExtendSelectionTo(end);
    update();
}

void CSkinTextField::PlaceCaret(int index)
{
    m_model.PlaceCaret(index);
    update();
}

void CSkinTextField::EnableWindow(bool enable)
{
    setEnabled(enable);
    update();
}

void CSkinTextField::SetTextColor(QColor colour)
{
    m_textColour = colour;
    update();
}

void CSkinTextField::Recompute()
{
    const QFontMetrics metrics(font());
    m_positions.resize(m_model.Text().size() + 1);
    int x = TextLeft;
    for (int i = 0; i < m_model.Text().size(); ++i) {
        m_positions[i] = x;
        x += metrics.horizontalAdvance(m_model.Text()[i]);
    }
    m_positions[m_model.Text().size()] = x;
}

void CSkinTextField::TextChanged()
{
    Recompute();
    update();
    Post(this, [](CSkinTextField* self) { emit self->EditUpdate(self); });
}

void CSkinTextField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (HandleKey(event))
        TextChanged();
    else
        update();
    emit TextFieldKey(this);
}

bool CSkinTextField::HandleKey(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
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
    switch (key) {
    case Qt::Key_Backspace:
        return m_model.Backspace();
    case Qt::Key_Delete:
        return m_model.Delete();
    case Qt::Key_Left:
    case Qt::Key_Right:
        m_model.MoveCaret(key == Qt::Key_Left ? -1 : 1, shift);
        return false;
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

void CSkinTextField::Copy() const
{
    if (m_model.HasSelection())
        QApplication::clipboard()->setText(m_model.SelectedText());
}

bool CSkinTextField::Paste()
{
    const QString text = QApplication::clipboard()->text();
    return !text.isEmpty() && m_model.Insert(text);
}

int CSkinTextField::IndexAt(int x) const
{
    for (int i = 0; i + 1 < m_positions.size(); ++i)
        if (x >= m_positions[i] - HitSlack && x < m_positions[i + 1] - HitSlack)
            return i;
    return x < TextLeft - HitSlack ? 0 : int(m_model.Text().size());
}

void CSkinTextField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_model.PlaceCaret(IndexAt(int(event->position().x())));
    m_dragging = true;
    update();
}

void CSkinTextField::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    m_model.ExtendSelectionTo(IndexAt(int(event->position().x())));
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
    update();
}

void CSkinTextField::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Recompute();
}

void CSkinTextField::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setClipRect(rect().adjusted(1, 1, -1, -1));
    const SkinPalette& skin = Skin();
    if (!skin.faceStrip.isNull())
        p.drawPixmap(rect(), skin.faceStrip);
    if (m_model.HasSelection() && !skin.selectionTile.isNull()) {
        const int left = m_positions[m_model.SelectionStart()];
        const int right = m_positions[m_model.SelectionEnd()];
        p.drawTiledPixmap(QRect(left, 3, right - left, height() - 6), skin.selectionTile);
    }
    p.setFont(font());
    p.setPen(m_textColour);
    const QFontMetrics metrics(font());
    p.drawText(TextLeft, (height() - metrics.height()) / 2 + metrics.ascent(), m_model.Text());
    if (m_caretVisible) {
        const int x = m_positions[m_model.Caret()];
        p.setPen(Qt::black);
        p.drawLine(x, 3, x, height() - 4);
    }
}

} // namespace kelvara
