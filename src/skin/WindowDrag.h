// Moving a caption-less window by any point of its surface: once the pointer
// has moved past the platform's drag distance with the left button still
// down, the window manager is asked to move it; where it refuses, the window
// follows the mouse.
#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace kelvara {

class WindowDrag {
public:
    // Arms a move on a left press; true when the press was taken.
    bool Press(QWidget* window, QMouseEvent* event);
    void Move(QWidget* window, QMouseEvent* event);
    void Release();
    bool IsArmed() const { return m_state == State::Armed; }
    bool IsMovingByHand() const { return m_state == State::ByHand; }

private:
    // A move starts only after the pointer has travelled: a tap, whose press
    // and release arrive together, must leave the window where it is. A
    // window manager asked to move at the press would keep the window on the
    // pointer after such a release.
    enum class State { Idle, Armed, ByWindowManager, ByHand };

    void Start(QWidget* window);

    State m_state = State::Idle;
    QPoint m_pressAt; // global
    QPoint m_offset; // from the window's corner to the pointer
};

} // namespace kelvara
