"""Moving a caption-less window by its background, as a user does: a tap
(press and release together, as a touchpad gives it) leaves the window where
it is; a press held while the pointer travels moves it."""
import time

from kelvara_desktop import check, xdotool


def position(window_id):
    out = xdotool("getwindowgeometry", window_id)
    x, y = out.split("Position: ")[1].split(" ")[0].split(",")
    return int(x), int(y)


def taps_leave_it_and_a_drag_moves_it(window_id, x, y, what, taps=5):
    """(x, y): a point of the window's background on the screen."""
    start = position(window_id)
    for tap in range(taps):
        xdotool("mousemove", "--sync", x, y)
        xdotool("click", 1)
        xdotool("mousemove", "--sync", x + 80, y + 50)
        time.sleep(0.3)
        check(position(window_id) == start,
              "%s follows the pointer after tap %d: %r, not %r" % (what, tap + 1, position(window_id), start))
    xdotool("mousemove", "--sync", x, y)
    xdotool("mousedown", 1)
    for step in range(1, 11):
        xdotool("mousemove", "--sync", x + 8 * step, y + 5 * step)
        time.sleep(0.03)
    xdotool("mouseup", 1)
    time.sleep(0.3)
    moved = position(window_id)
    check(moved != start, "%s did not move with a held drag: %r" % (what, moved))
    xdotool("mousemove", "--sync", x + 200, y + 120)
    time.sleep(0.3)
    check(position(window_id) == moved, "%s goes on following the pointer after the drag" % what)
