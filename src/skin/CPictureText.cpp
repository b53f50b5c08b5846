#include "CPictureText.h"

namespace kelvara {

CPictureText::CPictureText(const QString& text, const QRect& place, QWidget* parent)
    : QWidget(parent)
    , m_text(text)
{
    setGeometry(place);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

} // namespace kelvara
