"""What a screen reader meets in Kelvara, over the accessibility bus: every
control of the main window has a name and a role that says what it is; a
message box is found by its title, its text is read and its Close button
closes it; the About box reads out the program's name, its version and its
links with their addresses; a label that changes says its new text; and
during a batch the commands the batch refuses say that they are disabled,
and why, when they are pressed all the same."""
import os
import time

import pyatspi
from gi.repository import GLib

from kelvara_desktop import (Kelvara, cell, check, children, choose_item, choose_kind, click, find, hand_folder,
                             labels, make_clip, press, run, screenshot, showing, wait_for, windows)

REFUSED = ["Add Video", "Remove Video", "Clear Video", "Browse"]
REASON = "Not available while converting"

# Roles that only hold other things (a panel may be a named group of
# controls, a filler is nothing to the reader), and roles that say nothing.
CONTAINERS = {"filler", "panel"}
NO_ROLE = {"unknown", "invalid", "redundant object"}


def acts(node):
    try:
        return node.queryAction().nActions > 0
    except NotImplementedError:
        return False


def offenders(node, path=""):
    """The controls under `node`, hidden ones too, that a reader could not
    name or could not tell what they are: a control without a name; a window
    or something to act on dressed as a container; a named filler."""
    found = []
    role, name = node.getRoleName(), node.name.strip()
    where = "%s/%s %r" % (path, role, name)
    acting = node.getState().contains(pyatspi.STATE_FOCUSABLE) or acts(node)
    if role in NO_ROLE:
        found.append(where + ": no role")
    elif role in CONTAINERS:
        if not path or acting or (name and role == "filler"):
            found.append(where + ": a container's role")
    elif not name and role != "table cell":  # a cell may well be empty
        found.append(where + ": no name")
    for child in children(node):
        found.extend(offenders(child, where))
    return found


def audit(kelvara):
    found = offenders(kelvara.window)
    print("controls with no name or the wrong role: %d" % len(found))
    for offender in found:
        print("  " + offender)
    check(not found, "%d controls without a name or with the wrong role" % len(found))


def message_box(kelvara):
    """The "error" box START shows without an output folder, found by its
    title; its text is read and its Close button closes it."""
    hand_folder(kelvara, "")
    click(kelvara.control("push button", "Start"))
    box = kelvara.top_level("dialog", "error")
    check(find(box, "label", "Set export folder firstly ") is not None,
          "the box's text is not readable: %r" % [n.name for n in labels(box)])
    screenshot("message-box")
    press(find(box, "push button", "Close"))
    wait_for(lambda: not showing(box), "the message box to close", timeout=5)


def about_box(kelvara):
    click(kelvara.control("push button", "About"))
    box = kelvara.top_level("dialog", "About Kelvara")
    texts = [n.name for n in labels(box)]
    check(texts[:3] == ["Kelvara", "Version", "1.0"], "the About box reads %r" % texts)
    links = {n.name: n.description for n in children(box) if n.getRoleName() == "link"}
    check(links == {"www.tarvo.test/kelvara": "https://www.tarvo.test/kelvara/",
                    "help@tarvo.test": "mailto:help@tarvo.test"}, "links and their addresses: %r" % links)
    screenshot("about")
    press(find(box, "push button", "Close"))
    wait_for(lambda: not showing(box), "the About box to close", timeout=5)


def changed_label_is_announced(kelvara):
    """A new picture type gives the panel a new description, which readers
    are told of without going to it."""
    heard = []
    listener = lambda event: heard.append((event.source.getRoleName(), event.source.name))  # noqa: E731
    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    try:
        choose_kind(kelvara, "To PC Video", "PC video kinds", "Image")
        choose_item(kelvara, "Output Type", "To PNG Image - png picture(*.png)")
        context = GLib.MainContext.default()

        def told():
            while context.iteration(False):
                pass
            return any(role == "label" and "PNG" in name.upper() for role, name in heard)
        wait_for(told, "the new description announced", timeout=10)
    finally:
        pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def refused_during_batch(kelvara, table, out):
    choose_kind(kelvara, "To Mobile Video", "Mobile video kinds", "Xbox360")
    hand_folder(kelvara, out + "/")
    click(kelvara.control("push button", "Start"))
    wait_for(lambda: cell(table, 0, 0) == "Converting", "the job converting")
    for name in REFUSED:
        button = kelvara.control("push button", name)
        check(not enabled(button), "%s reports itself enabled during the batch" % name)
        check(button.description == REASON, "%s gives the reason %r" % (name, button.description))
    press(kelvara.control("push button", "Add Video"))
    wait_for(lambda: any(w.name == REASON and showing(w) for w in windows(kelvara.app)),
             "the refusal's reason shown", timeout=5)
    screenshot("refused")
    check(cell(table, 0, 0) == "Converting", "the refusal disturbed the job")
    click(kelvara.control("push button", "Stop"))
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "START back")
    for name in REFUSED:
        button = kelvara.control("push button", name)
        check(enabled(button) and button.description == "", "%s still refused after the batch" % name)


def scenario():
    # Long and large enough that the job still converts while it is looked at.
    source = make_clip("long clip.mp4", 60, "640x480")
    out = os.path.join(os.environ["KELVARA_WORK"], "out")
    os.makedirs(out)
    kelvara = Kelvara(source)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the file in the list")
    time.sleep(0.5)  # the preview shows the file
    audit(kelvara)
    message_box(kelvara)
    about_box(kelvara)
    changed_label_is_announced(kelvara)
    refused_during_batch(kelvara, table, out)
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
