"""Drives the real Kelvara as a user and a screen reader would: finds its
controls through the accessibility bus, clicks and types with xdotool, and
keeps screenshots of what the screen showed."""
import json
import os
import re
import shutil
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


def managed_windows():
    """The windows the window manager manages: not tooltips, menus or the
    hidden leader windows, which carry the program's name too."""
    out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST"], capture_output=True, text=True).stdout
    return {int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", out)}


def window_manager_state():
    """What to know when a window is not found: is the window manager there,
    and what does it manage."""
    return subprocess.run(["sh", "-c", "pgrep -a openbox; xprop -root | grep -E '_NET_(SUPPORTING|CLIENT_LIST|ACTIVE)';"
                           " xwininfo -root -tree | head -30"], capture_output=True, text=True).stdout


def window_named(name):
    """The managed, visible window with exactly this title, or None."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name],
                           capture_output=True, text=True).stdout.split()
    managed = managed_windows()
    return next((w for w in found if int(w) in managed), None)


def active_window():
    """None while no window is active, which happens between two windows."""
    out = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True)
    return out.stdout.strip() if out.returncode == 0 else None


def window_pid(window):
    out = subprocess.run(["xdotool", "getwindowpid", window], capture_output=True, text=True)
    return int(out.stdout) if out.returncode == 0 else None


def activate(name, pid=None, timeout=15.0):
    """Makes the window with this title the active one, or, with `pid`, any
    window of that process: the window manager hands the focus of a window
    with an open modal dialog to the dialog. The window manager may still be
    taking the window in, or hand the focus back to the window just clicked
    on a busy machine: ask again until it holds."""
    def holds(window):
        active = active_window()
        return active == window or (pid is not None and active is not None and window_pid(active) == pid)

    def attempt():
        window = window_named(name)
        if window is None:
            return False
        if not holds(window):
            subprocess.run(["xdotool", "windowactivate", window], capture_output=True)
        deadline = time.time() + 1.0
        while time.time() < deadline:
            if holds(window):
                return True
            time.sleep(0.05)
        return False
    wait_for(attempt, "the window %r to become the active one" % name, timeout)


def centre(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click(accessible):
    x, y = centre(accessible)
    click_at(x, y)


def click_at(x, y):
    # A synchronous move waits for the pointer to leave where it is, which
    # never happens when it is there already (STOP in START's place).
    if pointer() != (x, y):
        xdotool("mousemove", "--sync", x, y)
    time.sleep(0.05)
    xdotool("click", 1)
    time.sleep(0.2)


def pointer():
    out = xdotool("getmouselocation", "--shell")
    values = dict(line.split("=", 1) for line in out.split())
    return int(values["X"]), int(values["Y"])


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
        try:
            wait_for(lambda: self.window_id(), "the main window on the screen")
        except AssertionError:
            print(window_manager_state(), file=sys.stderr)
            raise
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
        return window_named("Kelvara")

    def activate(self):
        activate("Kelvara", self.process.pid)

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

    # The menus of the menu buttons, in order. A menu is worked with the
    # keyboard, as many users do; an open menu is also on the accessibility
    # bus among the program's windows.
    MENUS = {
        "File": ["Add Video", "Remove Video", "Clear Video", "Import Profile...", "Files at once"],
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


# Converting from the window: media made for the scenario, the file list's
# cells, the folder field, the message boxes and the encoder processes.

def forget_saved_list():
    """The file list an earlier start left, kept between sessions: gone, for
    a start that must find an empty list."""
    shutil.rmtree(os.path.join(os.environ["XDG_STATE_HOME"], "kelvara"), ignore_errors=True)


def make_clip(name, seconds, size="160x120", fast=False):
    """A short clip with a test picture and a tone, in the scenario's folder;
    `fast` for long clips, which the quickest encoding makes in time."""
    path = os.path.join(os.environ["KELVARA_WORK"], name)
    speed = ["-preset", "ultrafast"] if fast else []
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "testsrc2=size=%s:rate=25:duration=%d" % (size, seconds), "-f", "lavfi", "-i",
                    "sine=duration=%d" % seconds, "-shortest", *speed, path], check=True)
    return path


def probe(path):
    out = subprocess.run(["ffprobe", "-v", "error", "-show_streams", "-show_format", "-of", "json", path],
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out)


def cell_of(table, row, column):
    return table.queryTable().getAccessibleAt(row, column)


def cell(table, row, column):
    return cell_of(table, row, column).name


def labels(node):
    found = []
    for child in children(node):
        if child.getRoleName() == "label":
            found.append(child)
        found.extend(labels(child))
    return found


def set_folder(kelvara, folder):
    """Through the folder browser, as a user picks a folder."""
    field = kelvara.control("text", "Output folder")
    click(kelvara.control("push button", "Browse"))
    kelvara.answer_file_dialog(folder, "browser")
    wait_for(lambda: text_of(field).rstrip("/") == folder, "the folder chosen (%r)" % text_of(field), timeout=10)


def read_message(kelvara, shot, timeout=60.0):
    """The skinned message box that has just opened: its caption and its text
    lines, kept in a screenshot; the box stays open."""
    box = wait_for(lambda: _message_box(kelvara), "a message box", timeout)
    time.sleep(0.3)  # drawn
    screenshot(shot)
    names = [n.name for n in labels(box)]
    return box, names


def _message_box(kelvara):
    for window in windows(kelvara.app):
        if window.getRoleName() == "dialog" and showing(window) and find(window, "push button", "OK"):
            return window
    return None


def answer_message(kelvara, shot, timeout=60.0):
    """Reads the message box, presses its OK button and waits until it is gone;
    returns its caption and text lines."""
    box, names = read_message(kelvara, shot, timeout)
    xdotool("key", "Return")
    wait_for(lambda: _message_box(kelvara) is None, "the message closed")
    return names


def choose_item(kelvara, combo_name, item):
    """Selects an item of a skinned combo through its list items, as a user's
    pick in the pop-up list would."""
    combo = kelvara.control("combo box", combo_name)
    entry = None
    for child in children(combo):  # the items line their numbers up with blanks
        if child.name.split() == item.split():
            entry = child
    check(entry is not None, "%s has no item %r: %r" % (combo_name, item, [c.name for c in children(combo)]))
    press(entry)
    wait_for(lambda: entry.getState().contains(pyatspi.STATE_SELECTED), "%r chosen in %s" % (item, combo_name),
             timeout=5)
    return combo


def choose_kind(kelvara, menu_item, strip_name, tab_name):
    kelvara.choose_from_menu("Format Setting", menu_item)
    strip = kelvara.control("page tab list", strip_name)
    for tab in children(strip):
        if tab.name == tab_name:
            # A tab scrolled out of the strip is brought in with its arrow,
            # as a user would, before it is clicked.
            for _ in range(len(children(strip))):
                if tab.getState().contains(pyatspi.STATE_SHOWING):
                    break
                click(find(strip, "push button", "Scroll tabs right"))
                time.sleep(0.1)
            if not tab.getState().contains(pyatspi.STATE_SELECTED):
                click(tab)
            wait_for(lambda: tab.getState().contains(pyatspi.STATE_SELECTED), tab_name + " chosen", timeout=5)
            return
    raise AssertionError("no tab %r in %s" % (tab_name, strip_name))


def select_row(table, row):
    click(cell_of(table, row, 1))


def type_into_field(field, digits):
    """The size fields take digits from the keyboard: select all, type."""
    click(field)
    time.sleep(0.1)
    xdotool("click", "--repeat", 2, "--delay", 80, 1)
    xdotool("type", "--delay", "30", digits)
    wait_for(lambda: text_of(field) == digits, "%r typed (%r)" % (digits, text_of(field)), timeout=5)


def encoder_processes():
    """The converting processes of this scenario's program still running:
    they inherit the scenario's environment, even when their parent has
    gone, while those of scenarios running beside this one do not."""
    marker = ("KELVARA_WORK=" + os.environ["KELVARA_WORK"]).encode() + b"\0"
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/comm" % pid) as f:
                name = f.read().strip()
            if name not in ("ffmpeg", "tarvoconverter", "pmpmux"):
                continue
            with open("/proc/%s/environ" % pid, "rb") as f:
                if marker in f.read() + b"\0":
                    found.append("%s %s" % (pid, name))
        except OSError:  # ended meanwhile, or not ours to read
            continue
    return found


def check_output(path, codec, size, seconds, tolerance=0.5):
    """Judges one output with ffprobe: a stream of the codec, the picture
    size (for video) and the duration against the job's span."""
    check(os.path.exists(path), "no %s; folder has %r" % (path, os.listdir(os.path.dirname(path))))
    info = probe(path)
    streams = info["streams"]
    codecs = [s["codec_name"] for s in streams]
    check(codec in codecs, "%s: codecs %r, not %s" % (path, codecs, codec))
    if size is not None:
        video = [s for s in streams if s["codec_type"] == "video"]
        check(video and (video[0]["width"], video[0]["height"]) == size,
              "%s: size %r, not %r" % (path, [(s["width"], s["height"]) for s in video], size))
    if seconds is not None:
        duration = float(info["format"].get("duration", "nan"))
        check(abs(duration - seconds) < tolerance, "%s: %.2f s, not %.2f" % (path, duration, seconds))
    return info


def open_clips(sources, choose_folder=True):
    """Starts the program on the sources, with an empty output folder "out"
    beside them, chosen in the folder browser unless asked otherwise;
    returns the program, its file list and the folder."""
    out = os.path.join(os.environ["KELVARA_WORK"], "out")
    os.makedirs(out)
    kelvara = Kelvara(*sources)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == len(sources), "the %d files" % len(sources))
    if choose_folder:
        set_folder(kelvara, out)
    return kelvara, table, out


def convert_and_finish(kelvara, table, shot, timeout=60.0):
    """START, then the success box, answered, and every row finished."""
    click(kelvara.control("push button", "Start"))
    message = answer_message(kelvara, shot, timeout)
    check(message == ["success", "All tasks have been completed!"], "%s: end message %r" % (shot, message))
    for row in range(table.queryTable().nRows):
        check(cell(table, row, 0) == "Done", "%s row %d: %r" % (shot, row, cell(table, row, 0)))
        check(cell(table, row, 5).strip() == "100%    Finished", "%s row %d: %r" % (shot, row, cell(table, row, 5)))


def hand_folder(kelvara, text):
    """Puts a text into the output folder field as a screen reader does:
    whole, through the field's editable text."""
    field = kelvara.control("text", "Output folder")
    field.queryEditableText().setTextContents(text)
    wait_for(lambda: text_of(field) == text, "%r in the folder field (%r)" % (text, text_of(field)), timeout=5)
