"""Drives the real Kelvara as a user and a screen reader would: finds its
controls through the accessibility bus, clicks and types with xdotool, and
keeps screenshots of what the screen showed."""
import os
import subprocess
import sys
import time

import pyatspi

PROGRAM = os.environ["KELVARA_PROGRAM"]
SCREENS = os.environ["KELVARA_SCREENS"]
SCENARIO = os.path.splitext(os.path.basename(sys.argv[0]))[0]


def wait_for(condition, what, timeout=60.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def screenshot(name):
    path = os.path.join(SCREENS, "%s-%s.png" % (SCENARIO, name))
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


def pixel(path, x, y):
    """The colour of one pixel of a screenshot, as ImageMagick reports it."""
    out = subprocess.run(["convert", path, "-format", "%%[pixel:p{%d,%d}]" % (x, y), "info:-"],
                         capture_output=True, text=True, check=True).stdout
    return out.strip()


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, check=True).stdout


def centre(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click(accessible):
    x, y = centre(accessible)
    click_at(x, y)


def click_at(x, y):
    xdotool("mousemove", "--sync", x, y)
    time.sleep(0.05)
    xdotool("click", 1)
    time.sleep(0.2)


def press(accessible):
    """The accessible press action, for controls that open nothing modal."""
    action = accessible.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("press", "click", "Press"):
            action.doAction(i)
            time.sleep(0.15)
            return
    raise AssertionError("%s has no press action" % accessible.name)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def windows(app):
    """The program's top-level windows as they are now: the cached list does
    not learn of pop-up menus and dialogs."""
    app.clear_cache()
    return [w for w in (app.getChildAtIndex(i) for i in range(app.childCount)) if w is not None]


def find(root, role, name=None, visible_only=True):
    """The first descendant with this role (and name). Every question goes over
    the bus, so hidden subtrees and the items of lists are not walked."""
    for node in children(root):
        if visible_only and not showing(node):
            continue
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
        if node.getRoleName() == "combo box" and role != "list item":
            continue
        found = find(node, role, name, visible_only)
        if found is not None:
            return found
    return None


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]


def labels(node):
    """The names of every label below a node, in tree order: the texts of a
    message box."""
    found = []
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if child.getRoleName() == "label":
            found.append(child.name)
        found.extend(labels(child))
    return found


def make_clip(path, seconds, size="160x120"):
    """A test picture with a tone, encoded as fast as ffmpeg can."""
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "testsrc2=size=%s:rate=25:duration=%d" % (size, seconds), "-f", "lavfi", "-i",
                    "sine=duration=%d" % seconds, "-shortest", "-preset", "ultrafast", path], check=True)
    return path


def choose_in_open_menu(index):
    time.sleep(0.3)
    for _ in range(index + 1):
        xdotool("key", "Down")
    xdotool("key", "Return")
    time.sleep(0.3)


class Kelvara:
    """One run of the program."""

    def __init__(self, *arguments):
        log = open(os.path.join(SCREENS, SCENARIO + ".log"), "a")
        self.process = subprocess.Popen([PROGRAM, *arguments], stdout=log, stderr=log)
        self.app = wait_for(self._application, "Kelvara on the accessibility bus")
        self.window = wait_for(self._main_window, "the main window")
        wait_for(lambda: self.window_id(), "the main window on the screen")
        time.sleep(0.5)  # the first picture and the codec lists after it

    def _application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Kelvara":
                return app
        return None

    def _main_window(self):
        for window in windows(self.app):
            if find(window, "push button", "Start") is not None:
                return window
        return None

    def window_id(self):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Kelvara$"],
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None

    def control(self, role, name):
        found = find(self.window, role, name)
        check(found is not None, "no visible %s named %r" % (role, name))
        return found

    def top_level(self, role, name):
        """Another window of the program (a dialog), once it has appeared."""
        def look():
            for window in windows(self.app):
                if window.getRoleName() == role and name in (None, window.name) and showing(window):
                    return window
            return None
        return wait_for(look, "the %s %r" % (role, name))

    # The menus of the menu buttons, in order. Pop-up menus are not among
    # the program's windows on the accessibility bus, so a menu is worked with
    # the keyboard, as many users do.
    MENUS = {
        "File": ["Add Video", "Remove Video", "Clear Video"],
        "Format Setting": ["To PC Video", "To Mobile Video", "To Audio"],
        "Help": ["Contents", "Home Page", "About..."],
    }

    def choose_from_menu(self, button, item):
        click(self.control("push button", button))
        choose_in_open_menu(self.MENUS[button].index(item))

    def answer_file_dialog(self, path, shot):
        """Types a path into the file or folder dialog that has just opened,
        as a user would, and accepts it."""
        dialog = self.top_level("dialog", None)
        screenshot(shot)
        entry = wait_for(lambda: find(dialog, "text"), "the dialog's name field")
        # xdotool types letters beyond ASCII through a temporary key mapping,
        # which now and then loses one on a busy machine: type again until the
        # field holds the whole path, as a user would correct a typo.
        for _ in range(3):
            click(entry)
            xdotool("key", "ctrl+a")
            xdotool("type", "--delay", "20", path)
            try:
                wait_for(lambda: text_of(entry) == path, "the typed path", timeout=5.0)
                break
            except Exception:  # noqa: BLE001 - typed wrongly: try again
                continue
        xdotool("key", "Return")

    def close(self):
        click(self.control("push button", "Close"))
        return self.process.wait(timeout=10)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def run(scenario):
    """Runs a scenario function with a program it may start, and reports."""
    try:
        scenario()
    except Exception as error:  # noqa: BLE001 - the report is the point
        screenshot("failure")
        print("FAILED: %s" % error, file=sys.stderr)
        raise
    print("passed; screenshots in " + SCREENS)
