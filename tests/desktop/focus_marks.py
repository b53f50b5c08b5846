"""The keyboard focus shows on every Tab stop of the main window: Tab is
pressed through the whole chain, and the rectangle of the control that took
the focus (its extents on the accessibility bus) must change pixels between
the screen before the key and the screen after it. At a scale of 2 as well
when the screen is big enough for the window of twice the size."""
import os
import subprocess
import time

import pyatspi

from kelvara_desktop import SCREENS, Kelvara, check, children, make_clip, run, showing, xdotool

WINDOW_WIDTH = 802  # the dialog template's width, in the window's own coordinates
MAX_PRESSES = 80


def focusable_controls(root):
    """The showing controls that can take the focus, with their rectangles.
    Tab changes no control's place or visibility, so this is asked once; the
    rows of the list and the items of the combos are not walked."""
    found = []
    for node in children(root):
        if not showing(node):
            continue
        if node.getState().contains(pyatspi.STATE_FOCUSABLE):
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            found.append((node, (box.x, box.y, box.width, box.height)))
        if node.getRoleName() not in ("table", "combo box", "list"):
            found.extend(focusable_controls(node))
    return found


def grab(window, path):
    """The window's part of the screen, uncompressed: a screen of twice the
    size makes compressed grabs the slowest step."""
    x, y, w, h = window
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path],
                   check=True)
    return path


def changed_pixels(before, after, window, box):
    crop = "[%dx%d+%d+%d]" % (box[2], box[3], box[0] - window[0], box[1] - window[1])
    out = subprocess.run(["compare", "-metric", "AE", before + crop, after + crop, "null:"],
                         capture_output=True, text=True)
    return int(float(out.stderr.split()[0]))


def geometry(*window_id):
    """The window's place and size, or without a window the screen's size."""
    command = ["getwindowgeometry", "--shell", *window_id] if window_id else ["getdisplaygeometry", "--shell"]
    values = dict(line.split("=", 1) for line in xdotool(*command).split())
    return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT") if key in values)


def walk_tab_stops(clip, scale):
    """Starts the program at this scale and presses Tab round the whole chain;
    returns each stop with the number of pixels its rectangle changed when it
    took the focus."""
    os.environ["QT_SCALE_FACTOR"] = str(scale)
    kelvara = Kelvara(clip)
    try:
        kelvara.activate()
        xdotool("mousemove", "--sync", 5, geometry()[1] - 5)  # no hover look anywhere
        time.sleep(0.5)
        controls = focusable_controls(kelvara.window)
        window = geometry(kelvara.window_id())
        # The bus gives rectangles in the window's own coordinates or the screen's.
        if max(box[0] + box[2] for _, box in controls) <= WINDOW_WIDTH < window[2]:
            controls = [(node, tuple(v * (window[2] // WINDOW_WIDTH) for v in box)) for node, box in controls]
        before = grab(window, os.path.join(SCREENS, "focus_marks-%dx-before.ppm" % scale))
        after = before.replace("before", "after")
        stops = []
        for press in range(MAX_PRESSES):
            xdotool("key", "Tab")
            time.sleep(0.35)
            grab(window, after)
            focused = [(n, box) for n, box in controls if n.getState().contains(pyatspi.STATE_FOCUSED)]
            check(focused, "after %d Tab presses no control has the focus" % (press + 1))
            node, box = focused[0]
            if stops and stops[0][:3] == (node.getRoleName(), node.name, box):
                break
            stops.append((node.getRoleName(), node.name, box, changed_pixels(before, after, window, box)))
            os.replace(after, before)
        else:
            check(False, "Tab did not come back to the first stop within %d presses" % MAX_PRESSES)
        os.remove(before)
        return stops
    finally:
        kelvara.kill()


def scenario():
    clip = make_clip("clip.mp4", 2)
    width, height = geometry()
    scales = (1, 2) if width >= 2 * WINDOW_WIDTH and height >= 2 * 565 else (1,)
    if scales == (1,):
        print("scale 2 left out: the screen is %dx%d" % (width, height))
    pixels = {}
    for scale in scales:
        stops = walk_tab_stops(clip, scale)
        unmarked = [stop[:3] for stop in stops if stop[3] == 0]
        check(len(stops) >= 20, "only %d Tab stops at scale %d" % (len(stops), scale))
        check(not unmarked, "Tab stops without a visible focus at scale %d: %r" % (scale, unmarked))
        pixels[scale] = {stop[:2]: stop[3] for stop in stops}
    # A mark one logical pixel wide covers four times the screen pixels at
    # scale 2; one of a single screen pixel would cover about twice as many.
    thin = [stop for stop, count in pixels.get(2, {}).items() if count < 3 * pixels[1].get(stop, 0)]
    check(not thin, "marks thinner than a logical pixel at scale 2: %s" % thin)


run(scenario)
