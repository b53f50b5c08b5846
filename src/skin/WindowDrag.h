// Moving a caption-less window by any point of its surface: the window
// manager is asked to move it; where it refuses, the window follows the mouse.
#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace kelvara {

class WindowDrag {
public:
    // Starts a move on a left press; true when the press was taken.
    bool Press(QWidget* window, QMouseEvent* event);
    void Move(QWidget* window, QMouseEvent* event);
    void Release() { m_byHand = false; }
    bool IsMovingByHand() const { return m_byHand; }

private:
    QPoint m_offset;
    bool m_byHand = false;
};

} // namespace kelvara
