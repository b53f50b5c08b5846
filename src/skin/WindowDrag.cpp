#include "WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace kelvara {

bool WindowDrag::Press(QWidget* window, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    window->activateWindow();
    QWindow* handle = window->windowHandle();
    m_byHand = !(handle && handle->startSystemMove());
    m_offset = event->globalPosition().toPoint() - window->frameGeometry().topLeft();
    return true;
}

void WindowDrag::Move(QWidget* window, QMouseEvent* event)
{
    if (m_byHand && (event->buttons() & Qt::LeftButton))
        window->move(event->globalPosition().toPoint() - m_offset);
}

} // namespace kelvara
