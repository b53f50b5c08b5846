"""Kelvara with the keyboard alone, no mouse click: a file added with Ctrl+O
and its path typed into the file dialog, To Audio -> WAV and MPEG -> DVD PAL
picked with keys, the folder typed into its field, each batch started with
Ctrl+Return; the outputs judged by ffprobe. The menus are found by name over
the accessibility bus with their items while they are open."""
import os
import time

import pyatspi

from kelvara_desktop import (Kelvara, answer_message, check, check_output, children, make_clip, run, screenshot,
                             text_of, wait_for, windows, xdotool)

SECONDS = 2
FORMAT_ITEMS = ["To PC Video", "To Mobile Video", "To Audio"]


def focused(accessible):
    return accessible.getState().contains(pyatspi.STATE_FOCUSED)


def key(*keys):
    for k in keys:
        xdotool("key", k)
        time.sleep(0.1)


def tab_to(kelvara, role, name):
    """Tab until the control has the focus, as a keyboard user walks the window."""
    control = kelvara.control(role, name)
    for _ in range(60):
        if focused(control):
            return control
        key("Tab")
    raise AssertionError("Tab never reached the %s %r" % (role, name))


def open_menu(kelvara, name):
    """A menu button reached with Tab and opened with Space; the open menu
    is found by name among the program's windows, with its items."""
    tab_to(kelvara, "push button", name)
    key("space")

    def menu():
        for window in windows(kelvara.app):
            if window.name == name and "menu" in window.getRoleName():
                return window
        return None
    found = wait_for(menu, "the %r menu on the accessibility bus" % name, timeout=10)
    screenshot("menu-" + name.replace(" ", "-").lower())
    return [item.name for item in children(found)]


def choose_from_menu(kelvara, name, item):
    items = open_menu(kelvara, name)
    check(item in items, "%r has no %r: %r" % (name, item, items))
    key(*["Down"] * (items.index(item) + 1), "Return")


def selected_tab(kelvara, strip_name):
    strip = kelvara.control("page tab list", strip_name)
    chosen = [tab.name for tab in children(strip) if tab.getState().contains(pyatspi.STATE_SELECTED)]
    return chosen[0] if chosen else None


def step_strip_to(kelvara, strip_name, tab):
    """Ctrl+Tab from anywhere in the window, until the strip shows the tab."""
    for _ in range(6):
        if selected_tab(kelvara, strip_name) == tab:
            return
        key("ctrl+Tab")
    raise AssertionError("Ctrl+Tab never reached %r (at %r)" % (tab, selected_tab(kelvara, strip_name)))


def chosen_item(combo):
    chosen = [c.name for c in children(combo) if c.getState().contains(pyatspi.STATE_SELECTED)]
    return " ".join(chosen[0].split()) if chosen else None


def arrow_combo_to(kelvara, name, item):
    combo = tab_to(kelvara, "combo box", name)
    for _ in range(20):
        if chosen_item(combo) == item:
            return
        key("Down")
    raise AssertionError("the arrows never reached %r in %s (at %r)" % (item, name, chosen_item(combo)))


def type_path(entry, path):
    """Replaces the focused field's text by a typed path; types again when a
    busy machine lost a key."""
    for _ in range(3):
        key("ctrl+a")
        xdotool("type", "--delay", "20", path)
        try:
            wait_for(lambda: text_of(entry) == path, "the typed path %r" % path, timeout=5.0)
            return
        except AssertionError:
            continue
    raise AssertionError("the field holds %r, not %r" % (text_of(entry), path))


def add_file(kelvara, path):
    key("ctrl+o")
    dialog = kelvara.top_level("dialog", None)
    entry = wait_for(lambda: _find_text(dialog), "the file dialog's name field", timeout=10)
    wait_for(lambda: focused(entry), "the focus in the name field", timeout=10)
    screenshot("add-dialog")
    type_path(entry, path)
    key("Return")


def _find_text(node):
    for child in children(node):
        if child.getRoleName() == "text" and child.getState().contains(pyatspi.STATE_SHOWING):
            return child
        found = _find_text(child)
        if found is not None:
            return found
    return None


def convert(kelvara, shot):
    key("ctrl+Return")
    message = answer_message(kelvara, shot)
    check(message == ["success", "All tasks have been completed!"], "%s: end message %r" % (shot, message))


def scenario():
    clip = make_clip("keys clip.mp4", SECONDS)
    out = os.path.join(os.environ["KELVARA_WORK"], "out")
    kelvara = Kelvara()
    kelvara.activate()
    table = kelvara.control("table", "Source files")
    add_file(kelvara, clip)
    wait_for(lambda: table.queryTable().nRows == 1, "the file in the list")

    check(open_menu(kelvara, "File") == ["Add Video", "Remove Video", "Clear Video"], "the File menu's items")
    key("Escape")
    check(open_menu(kelvara, "Help") == ["Contents", "Home Page", "About..."], "the Help menu's items")
    key("Escape")
    choose_from_menu(kelvara, "Format Setting", "To Audio")
    wait_for(lambda: selected_tab(kelvara, "Audio kinds") == "To MP3", "the audio kinds shown")
    step_strip_to(kelvara, "Audio kinds", "To WAV")
    folder = tab_to(kelvara, "text", "Output folder")
    type_path(folder, out)
    screenshot("wav-chosen")
    convert(kelvara, "wav-done")
    check_output(os.path.join(out, "keys clip.wav"), "pcm_s16le", None, SECONDS)

    choose_from_menu(kelvara, "Format Setting", "To PC Video")
    step_strip_to(kelvara, "PC video kinds", "MPEG")
    arrow_combo_to(kelvara, "MpegType", "DVD PAL")
    wait_for(lambda: text_of(kelvara.control("text", "Width")) == "720", "the DVD PAL size")
    screenshot("dvd-chosen")
    convert(kelvara, "mpeg-done")
    check_output(os.path.join(out, "keys clip.mpg"), "mpeg2video", (720, 576), SECONDS)

    key("ctrl+q")
    check(kelvara.process.wait(timeout=10) == 0, "Ctrl+Q did not end the program cleanly")


run(scenario)
