"""What a screen reader meets, over the accessibility bus: every control of
the main window has a name and a role that says what it is; the About box
reads out the name, the version and the links with their addresses; a
message box is named by its title and closes with its Close button; a
changed label is announced; during a batch the commands it refuses report
themselves disabled, and say why when pressed all the same."""
import pyatspi
from gi.repository import GLib

from kelvara_desktop import (cell, check, children, choose_item, choose_kind, click, find, hand_folder, labels,
                             make_clip, open_clips, press, run, showing, wait_for, windows)

REFUSED = ["Add Video", "Remove Video", "Clear Video", "Browse"]
REASON = "Not available while converting"


def offenders(node, path=""):
    """The controls under `node`, hidden ones too, without a name (a table
    cell may be empty), or with no role, or dressed as a container: a window
    or something to act on as a filler or panel, a named filler."""
    role, name = node.getRoleName(), node.name.strip()
    where = "%s/%s %r" % (path, role, name)
    acting = node.getState().contains(pyatspi.STATE_FOCUSABLE) or node.get_n_actions() > 0
    found = []
    if role in ("unknown", "invalid", "redundant object"):
        found.append(where + ": no role")
    elif role in ("filler", "panel"):
        if not path or acting or (name and role == "filler"):
            found.append(where + ": a container's role")
    elif not name and role != "table cell":
        found.append(where + ": no name")
    for child in children(node):
        found.extend(offenders(child, where))
    return found


def about_box(kelvara):
    click(kelvara.control("push button", "About"))
    box = kelvara.top_level("dialog", "About Kelvara")
    texts = [n.name for n in labels(box)]
    check(texts[:3] == ["Kelvara", "Version", "1.0"], "the About box reads %r" % texts)
    links = {n.name: n.description for n in children(box) if n.getRoleName() == "link"}
    check(links == {"www.tarvo.test/kelvara": "https://www.tarvo.test/kelvara/",
                    "help@tarvo.test": "mailto:help@tarvo.test"}, "links and their addresses: %r" % links)
    press(find(box, "push button", "Close"))
    wait_for(lambda: not showing(box), "the About box to close", timeout=5)


def message_box_by_name(kelvara):
    """START without a folder: the box is found by its title, reads its text
    and closes with its Close button."""
    hand_folder(kelvara, "")
    click(kelvara.control("push button", "Start"))
    box = kelvara.top_level("dialog", "error")
    texts = [n.name for n in labels(box)]
    check("Set export folder firstly " in texts, "the box reads %r" % texts)
    press(find(box, "push button", "Close"))
    wait_for(lambda: not showing(box), "the box to close", timeout=5)


def changed_label_is_announced(kelvara):
    """A new picture type gives the panel a new description."""
    heard = []
    listener = lambda event: heard.append((event.source.getRoleName(), event.source.name))  # noqa: E731
    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    choose_kind(kelvara, "To PC Video", "PC video kinds", "Image")
    choose_item(kelvara, "Output Type", "To PNG Image - png picture(*.png)")

    def told():
        while GLib.MainContext.default().iteration(False):
            pass
        return any(role == "label" and "PNG" in name.upper() for role, name in heard)
    wait_for(told, "the new description announced", timeout=10)
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")


def reason_under(kelvara, button):
    at = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for window in windows(kelvara.app):
        tip = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # Qt puts a tip a little to the right of and below the point asked.
        if window.name == REASON and showing(window) and 0 <= tip.x - at.x < 10 and 0 <= tip.y - at.y - at.height < 30:
            return True
    return False


def refused_during_batch(kelvara, table, out):
    def states():
        buttons = [kelvara.control("push button", name) for name in REFUSED]
        return [(b.getState().contains(pyatspi.STATE_ENABLED), b.description) for b in buttons]
    choose_kind(kelvara, "To Mobile Video", "Mobile video kinds", "Xbox360")
    hand_folder(kelvara, out + "/")
    click(kelvara.control("push button", "Start"))
    wait_for(lambda: cell(table, 0, 0) == "Converting", "the job converting")
    check(states() == [(False, REASON)] * 4, "during the batch %r: %r" % (REFUSED, states()))
    # Pressed over the bus, then clicked: the reason shows under each.
    for name, attempt in (("Add Video", press), ("Remove Video", click)):
        button = kelvara.control("push button", name)
        attempt(button)
        wait_for(lambda: reason_under(kelvara, button), "the reason under " + name, timeout=5)
    check(cell(table, 0, 0) == "Converting", "the refusal disturbed the job")
    click(kelvara.control("push button", "Stop"))
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "START back")
    check(states() == [(True, "")] * 4, "after the batch %r: %r" % (REFUSED, states()))


def scenario():
    # Long and large enough that the job still converts while it is looked at.
    kelvara, table, out = open_clips([make_clip("long clip.mp4", 60, "640x480")], choose_folder=False)
    found = offenders(kelvara.window)
    check(not found, "controls without a name or with the wrong role:\n  " + "\n  ".join(found))
    about_box(kelvara)
    message_box_by_name(kelvara)
    changed_label_is_announced(kelvara)
    refused_during_batch(kelvara, table, out)
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
