"""The keyboard focus shows on every Tab stop of the main window: Tab is
pressed through the whole chain, and the rectangle of the control that took
the focus (its extents on the accessibility bus) must change pixels between
the screen before the key and the screen after it. At a scale of 2 as well
when the screen is big enough for the window of twice the size."""
import os
import subprocess
import time

import pyatspi

from kelvara_desktop import SCREENS, Kelvara, check, children, make_clip, run, screenshot, showing, xdotool

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


def grab(window, path):
    """The window's part of the screen, uncompressed: a screen of twice the
    size makes compressed grabs the slowest step."""
    x, y, w, h = window
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path],
                   check=True)
    return path


def changed_pixels(before, after, window, box):
    x, y, w, h = box[0] - window[0], box[1] - window[1], box[2], box[3]
    crop = "[%dx%d+%d+%d]" % (w, h, x, y)
    out = subprocess.run(["compare", "-metric", "AE", before + crop, after + crop, "null:"],
                         capture_output=True, text=True)
    return int(float(out.stderr.split()[0]))


def window_geometry(window_id):
    out = xdotool("getwindowgeometry", window_id)
    x, y = (int(v) for v in out.split("Position: ")[1].split(" ")[0].split(","))
    w, h = (int(v) for v in out.split("Geometry: ")[1].split()[0].split("x"))
    return x, y, w, h


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
    window = window_geometry(kelvara.window_id())
    window_width = window[2]
    # The bus gives rectangles in the window's own coordinates or the screen's.
    if max(box[0] + box[2] for _, box in controls) <= WINDOW_WIDTH and window_width > WINDOW_WIDTH:
        factor = window_width // WINDOW_WIDTH
        controls = [(node, tuple(v * factor for v in box)) for node, box in controls]
    before = grab(window, os.path.join(SCREENS, "focus_marks-%dx-before.ppm" % scale))
    after = before.replace("before", "after")
    stops, unmarked, first, changes = [], [], None, {}
    for press in range(MAX_PRESSES):
        xdotool("key", "Tab")
        time.sleep(0.35)
        grab(window, after)
        node, box = focused(controls)
        check(node is not None, "after %d Tab presses no control has the focus" % (press + 1))
        stop = (node.getRoleName(), node.name, box)
        if stop == first:
            break
        first = first or stop
        stops.append(stop)
        changes[(stop[0], stop[1])] = changed_pixels(before, after, window, box)
        if changes[(stop[0], stop[1])] == 0:
            unmarked.append(stop)
            screenshot("%dx-unmarked-%02d" % (scale, len(stops)))
        os.replace(after, before)
    else:
        check(False, "Tab did not come back to the first stop within %d presses" % MAX_PRESSES)
    screenshot("%dx-last-stop" % scale)
    os.remove(before)
    return stops, unmarked, changes


def check_scale(scale, clip):
    if scale == 1:
        os.environ.pop("QT_SCALE_FACTOR", None)
    else:
        os.environ["QT_SCALE_FACTOR"] = str(scale)
    kelvara = Kelvara(clip)
    try:
        stops, unmarked, changes = walk_tab_stops(kelvara, scale)
    finally:
        kelvara.kill()
    print("At scale %d: Tab stops without a visible focus: %d of %d" % (scale, len(unmarked), len(stops)))
    for role, name, box in unmarked:
        print("  no visible focus: %s %r at %s" % (role, name, box))
    check(len(stops) >= 20, "only %d Tab stops at scale %d" % (len(stops), scale))
    check(not unmarked, "%d of %d Tab stops show no focus at scale %d" % (len(unmarked), len(stops), scale))
    return changes


def scenario():
    clip = make_clip("clip.mp4", 2)
    ordinary = check_scale(1, clip)
    width, height = screen_size()
    if width >= 2 * WINDOW_WIDTH and height >= 2 * 565:
        fine = check_scale(2, clip)
        # A mark one logical pixel wide covers four times the screen pixels at
        # scale 2; one of a single screen pixel would cover about twice as many.
        thin = [stop for stop, count in fine.items() if count < 3 * ordinary.get(stop, 0)]
        check(not thin, "marks thinner than a logical pixel at scale 2: %s" % thin)
    else:
        print("scale 2 left out: the screen is %dx%d" % (width, height))


run(scenario)
