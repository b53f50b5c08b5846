"""Kelvara with the keyboard alone, no mouse click: a file added with Ctrl+O
and its path typed into the file dialog, To Audio -> WAV and MPEG -> DVD PAL
picked with keys, the folder typed into its field, each batch started with
Ctrl+Return; the outputs judged by ffprobe. The menus are found by name over
the accessibility bus with their items while they are open."""
import os
import time

import pyatspi

from kelvara_desktop import (Kelvara, answer_message, check, check_output, children, choose_in_open_menu, find,
                             make_clip, run, text_of, wait_for, windows, xdotool)

SECONDS = 2


def key(*keys):
    xdotool("key", "--delay", 100, *keys)
    time.sleep(0.1)


def has(accessible, state):
    return accessible.getState().contains(state)


def tab_to(kelvara, role, name):
    """Tab until the control has the focus, as a keyboard user walks the window."""
    control = kelvara.control(role, name)
    for _ in range(60):
        if has(control, pyatspi.STATE_FOCUSED):
            return control
        key("Tab")
    raise AssertionError("Tab never reached the %s %r" % (role, name))


def open_menu(kelvara, name):
    """A menu button reached with Tab and opened with Space; the open menu,
    found by name among the program's windows, has the button's items."""
    tab_to(kelvara, "push button", name)
    key("space")
    menu = wait_for(lambda: next((w for w in windows(kelvara.app) if w.name == name and "menu" in w.getRoleName()),
                                 None), "the %r menu on the accessibility bus" % name, timeout=10)
    items = [item.name for item in children(menu)]
    check(items == Kelvara.MENUS[name], "the %s menu's items: %r" % (name, items))


def choose_from_menu(kelvara, name, item):
    open_menu(kelvara, name)
    choose_in_open_menu(Kelvara.MENUS[name].index(item))


def chosen(parent):
    names = [c.name for c in children(parent) if has(c, pyatspi.STATE_SELECTED)]
    return " ".join(names[0].split()) if names else None


def keys_until(parent, item, press):
    """Presses a key until the strip or combo shows the item."""
    for _ in range(20):
        if chosen(parent) == item:
            return
        key(press)
    raise AssertionError("%s never reached %r (at %r)" % (press, item, chosen(parent)))


def type_path(entry, path):
    """Replaces the focused field's text; types again when a busy machine lost a key."""
    for _ in range(3):
        key("ctrl+a")
        xdotool("type", "--delay", "20", path)
        try:
            return wait_for(lambda: text_of(entry) == path, "the typed path %r" % path, timeout=5.0)
        except AssertionError:
            continue
    raise AssertionError("the field holds %r, not %r" % (text_of(entry), path))


def convert(kelvara, shot, path, codec, size):
    key("ctrl+Return")
    message = answer_message(kelvara, shot)
    check(message == ["success", "All tasks have been completed!"], "%s: end message %r" % (shot, message))
    check_output(path, codec, size, SECONDS)


def scenario():
    clip = make_clip("keys clip.mp4", SECONDS)
    out = os.path.join(os.environ["KELVARA_WORK"], "out")
    kelvara = Kelvara()
    kelvara.activate()
    key("ctrl+o")
    dialog = kelvara.top_level("dialog", None)
    entry = wait_for(lambda: find(dialog, "text"), "the file dialog's name field")
    wait_for(lambda: has(entry, pyatspi.STATE_FOCUSED), "the focus in the name field", timeout=10)
    type_path(entry, clip)
    key("Return")
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the file in the list")

    for menu in ("File", "Help"):
        open_menu(kelvara, menu)
        key("Escape")
    choose_from_menu(kelvara, "Format Setting", "To Audio")
    keys_until(kelvara.control("page tab list", "Audio kinds"), "To WAV", "ctrl+Tab")
    type_path(tab_to(kelvara, "text", "Output folder"), out)
    convert(kelvara, "wav-done", os.path.join(out, "keys clip.wav"), "pcm_s16le", None)

    choose_from_menu(kelvara, "Format Setting", "To PC Video")
    keys_until(kelvara.control("page tab list", "PC video kinds"), "MPEG", "ctrl+Page_Down")
    keys_until(tab_to(kelvara, "combo box", "MpegType"), "DVD PAL", "Down")
    wait_for(lambda: text_of(kelvara.control("text", "Width")) == "720", "the DVD PAL size")
    convert(kelvara, "mpeg-done", os.path.join(out, "keys clip.mpg"), "mpeg2video", (720, 576))

    key("ctrl+q")
    check(kelvara.process.wait(timeout=10) == 0, "Ctrl+Q did not end the program cleanly")


run(scenario)
