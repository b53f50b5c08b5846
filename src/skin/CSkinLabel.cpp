#include "CSkinLabel.h"

#include "SkinFont.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>

namespace kelvara {

namespace {
const QColor EmbossShadow(97, 66, 49);
const QColor EmbossFace(200, 200, 200);
} // namespace

CSkinLabel::CSkinLabel(QWidget* parent, Align align)
    : QWidget(parent)
    , m_align(align)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

CSkinLabel::CSkinLabel(const QString& text, QWidget* parent, Align align)
    : CSkinLabel(parent, align)
{
    SetWindowText(text);
}

void CSkinLabel::SetWindowText(const QString& text)
{
    const QString before = m_text;
    m_text = text.left(kMaxLength - 1);
    m_lineCount = 1 + int(m_text.count(QLatin1Char('\n')));
    // The label has no background of its own: the parent repaints under it,
    // with a small margin for the pixels the emboss draws outside.
    if (parentWidget())
        parentWidget()->update(geometry().adjusted(-3, -3, 3, 3));
    update();
    // The label's text is its accessible name: a reader hears a changed
    // text (a countdown, a status) without moving to it.
    if (m_text != before && isVisible() && accessibleName().isEmpty()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString CSkinLabel::GetLine(int index) const
{
    const QStringList lines = m_text.split(QLatin1Char('\n'));
    return index >= 0 && index < lines.size() ? lines[index] : QString();
}

void CSkinLabel::SetEmbossed(bool embossed)
{
    m_embossed = embossed;
    update();
}

void CSkinLabel::SetFontHeight(int height)
{
    m_fontHeight = height;
    update();
}

void CSkinLabel::SetAlign(Align align)
{
    m_align = align;
    update();
}

void CSkinLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFont font = SkinFont(m_fontHeight, true);
    const QFontMetrics metrics(font);
    p.setFont(font);
    p.setClipRect(rect().adjusted(1, 1, 0, 0));
    int y = 0;
    for (const QString& line : m_text.split(QLatin1Char('\n'))) {
        int x = 2;
        if (m_align == Align::Center)
            x = (width() - metrics.horizontalAdvance(line)) / 2;
        else if (m_align == Align::Right)
            x = width() - 2 - metrics.horizontalAdvance(line);
        const int baseline = y + metrics.ascent();
        if (!isEnabled()) {
            p.setPen(Qt::black);
            p.drawText(x + 1, baseline + 1, line);
        }
        if (m_embossed) {
            p.setPen(EmbossShadow);
            p.drawText(x + 1, baseline + 1, line);
            p.setPen(EmbossFace);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(x, baseline, line);
        y += metrics.height() + 1;
    }
}

} // namespace kelvara
