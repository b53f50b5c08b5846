#include "WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace kelvara {

bool WindowDrag::Press(QWidget* window, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    window->activateWindow();
    m_pressAt = event->globalPosition().toPoint();
    m_offset = m_pressAt - window->frameGeometry().topLeft();
    m_state = State::Armed;
    return true;
}

void WindowDrag::Move(QWidget* window, QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (a grab, a pop-up): nothing is held.
        m_state = State::Idle;
        return;
    }
    const QPoint at = event->globalPosition().toPoint();
    if (m_state == State::Armed && (at - m_pressAt).manhattanLength() >= QApplication::startDragDistance())
        Start(window);
    if (m_state == State::ByHand)
        window->move(at - m_offset);
}

void WindowDrag::Start(QWidget* window)
{
    QWindow* handle = window->windowHandle();
    m_state = handle && handle->startSystemMove() ? State::ByWindowManager : State::ByHand;
}

void WindowDrag::Release()
{
    m_state = State::Idle;
}

} // namespace kelvara
