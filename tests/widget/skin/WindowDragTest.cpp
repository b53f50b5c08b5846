// Moving a caption-less window by its surface: a tap leaves it in place.
#include "skin/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

QMouseEvent Mouse(QEvent::Type type, QPoint global, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    return QMouseEvent(type, QPointF(10, 10), QPointF(global), button, held, Qt::NoModifier);
}

TEST(WindowDrag, MovesOnlyOncePastTheDragDistanceWithTheButtonDown)
{
    const int distance = QApplication::startDragDistance();
    struct Case {
        const char* what;
        QPoint moveBy;
        Qt::MouseButtons held;
        bool moves;
    };
    const Case cases[] = {
        { "a tap: no movement", { 0, 0 }, Qt::LeftButton, false },
        { "a tremble within the distance", { distance - 1, 0 }, Qt::LeftButton, false },
        { "past the distance", { distance + 3, 2 }, Qt::LeftButton, true },
        { "past it, but the button was let go elsewhere", { distance + 3, 2 }, Qt::NoButton, false },
    };
    for (const Case& c : cases) {
        QWidget window;
        window.setGeometry(100, 100, 200, 100);
        window.show();
        const QPoint start = window.pos();
        const QPoint press(150, 150);
        WindowDrag drag;
        QMouseEvent pressed = Mouse(QEvent::MouseButtonPress, press, Qt::LeftButton);
        ASSERT_TRUE(drag.Press(&window, &pressed));
        EXPECT_EQ(window.pos(), start) << c.what;
        QMouseEvent moved = Mouse(QEvent::MouseMove, press + c.moveBy, c.held);
        drag.Move(&window, &moved);
        EXPECT_EQ(window.pos(), c.moves ? start + c.moveBy : start) << c.what;
        drag.Release();
        QMouseEvent after = Mouse(QEvent::MouseMove, press + c.moveBy * 3, Qt::NoButton);
        drag.Move(&window, &after);
        EXPECT_EQ(window.pos(), c.moves ? start + c.moveBy : start) << c.what << ": after the release";
    }
}

} // namespace
