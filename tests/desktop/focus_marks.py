"""The keyboard focus shows on every Tab stop of the main window: Tab is
pressed through the whole chain, and the rectangle of the control that took
the focus (its extents on the accessibility bus) must change pixels between
the screen before the key and the screen after it. At a scale of 2 as well
when the screen is big enough for the window of twice the size."""
import os
import shutil
import subprocess
import time

import pyatspi

from kelvara_desktop import Kelvara, check, children, make_clip, run, screenshot, showing, xdotool

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
        state = node.getState()
        if state.contains(pyatspi.STATE_FOCUSABLE):
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            found.append((node, (box.x, box.y, box.width, box.height)))
        if node.getRoleName() not in ("table", "combo box", "list"):
            found.extend(focusable_controls(node))
    return found


def focused(controls):
    for node, box in controls:
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node, box
    return None, None


def changed_pixels(before, after, box):
    x, y, w, h = box
    crop = "[%dx%d+%d+%d]" % (w, h, x, y)
    out = subprocess.run(["compare", "-metric", "AE", before + crop, after + crop, "null:"],
                         capture_output=True, text=True)
    return int(float(out.stderr.split()[0]))


def screen_size():
    out = xdotool("getdisplaygeometry").split()
    return int(out[0]), int(out[1])


def walk_tab_stops(kelvara, scale):
    """Presses Tab round the whole chain; returns the stops and those whose
    rectangle did not change when they took the focus."""
    kelvara.activate()
    xdotool("mousemove", "--sync", 5, screen_size()[1] - 5)  # no hover look anywhere
    time.sleep(0.5)
    controls = focusable_controls(kelvara.window)
    window_width = int(xdotool("getwindowgeometry", kelvara.window_id()).split("Geometry: ")[1].split("x")[0])
    # The bus gives rectangles in the window's own coordinates or the screen's.
    if max(box[0] + box[2] for _, box in controls) <= WINDOW_WIDTH and window_width > WINDOW_WIDTH:
        factor = window_width // WINDOW_WIDTH
        controls = [(node, tuple(v * factor for v in box)) for node, box in controls]
    before = screenshot("%dx-before" % scale)
    stops, unmarked, first = [], [], None
    for press in range(MAX_PRESSES):
        xdotool("key", "Tab")
        time.sleep(0.35)
        after = screenshot("%dx-after" % scale)
        node, box = focused(controls)
        check(node is not None, "after %d Tab presses no control has the focus" % (press + 1))
        stop = (node.getRoleName(), node.name, box)
        if stop == first:
            break
        first = first or stop
        stops.append(stop)
        if changed_pixels(before, after, box) == 0:
            unmarked.append(stop)
            shutil.copy(after, after[:-4] + "-unmarked-%02d.png" % len(stops))
        os.replace(after, before)
    else:
        check(False, "Tab did not come back to the first stop within %d presses" % MAX_PRESSES)
    return stops, unmarked


def check_scale(scale, clip):
    if scale == 1:
        os.environ.pop("QT_SCALE_FACTOR", None)
    else:
        os.environ["QT_SCALE_FACTOR"] = str(scale)
    kelvara = Kelvara(clip)
    try:
        stops, unmarked = walk_tab_stops(kelvara, scale)
    finally:
        kelvara.kill()
    print("At scale %d: Tab stops without a visible focus: %d of %d" % (scale, len(unmarked), len(stops)))
    for role, name, box in unmarked:
        print("  no visible focus: %s %r at %s" % (role, name, box))
    check(len(stops) >= 20, "only %d Tab stops at scale %d" % (len(stops), scale))
    check(not unmarked, "%d of %d Tab stops show no focus at scale %d" % (len(unmarked), len(stops), scale))


def scenario():
    clip = make_clip("clip.mp4", 2)
    check_scale(1, clip)
    width, height = screen_size()
    if width >= 2 * WINDOW_WIDTH and height >= 2 * 565:
        check_scale(2, clip)
    else:
        print("scale 2 left out: the screen is %dx%d" % (width, height))


run(scenario)
