"""What a desktop user does to the file list: a file, a folder and a broken
file dragged from a file manager onto the list; after a batch, each entry of
a row's context menu (Play Output and Open Output Folder reach the desktop's
opener, Show Failure Reason shows the encoder's lines, Remove); the Delete
key; and a drop refused while a batch runs."""
import os
import stat
import time
from urllib.parse import unquote

from kelvara_desktop import (Kelvara, cell, check, choose_in_open_menu, click, click_at, find, labels,
                             make_clip, run, screenshot, showing, wait_for, xdotool)
from xdnd_source import drag_files

WORK = os.environ["KELVARA_WORK"]
OPENED = os.path.join(WORK, "opened")


def install_opener():
    """The desktop's opener (xdg-open) as a stand-in that notes what it was
    asked to open, first on the program's PATH."""
    folder = os.path.join(WORK, "bin")
    os.makedirs(folder)
    opener = os.path.join(folder, "xdg-open")
    with open(opener, "w") as script:
        script.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % OPENED)
    os.chmod(opener, stat.S_IRWXU)
    os.environ["PATH"] = folder + ":" + os.environ["PATH"]


def opened():
    if not os.path.exists(OPENED):
        return []
    with open(OPENED) as record:
        return [unquote(line.strip()).replace("file://", "", 1) for line in record if line.strip()]


def rows(table):
    return table.queryTable().nRows


def sources(table):
    return [cell(table, row, 1) for row in range(rows(table))]


def list_point(table):
    box = table.queryComponent().getExtents(0)
    return box.x + box.width // 2, box.y + box.height - 25


def row_menu(table, row, index, shot):
    """Right-clicks a row and chooses the index-th enabled entry of its menu."""
    x, y = centre_of_cell(table, row)
    xdotool("mousemove", "--sync", x, y)
    xdotool("click", 3)
    time.sleep(0.3)
    screenshot(shot)
    choose_in_open_menu(index)


def centre_of_cell(table, row):
    box = table.queryTable().getAccessibleAt(row, 1).queryComponent().getExtents(0)
    return box.x + box.width // 2, box.y + box.height // 2


def answer_box(kelvara, shot):
    box = kelvara.top_level("dialog", None)
    screenshot(shot)
    text = "\n".join(label.name for label in labels(box))
    xdotool("key", "Return")
    wait_for(lambda: not showing(box), "the message box to close", timeout=10)
    return text


def scenario():
    install_opener()
    single = make_clip("dropped 'clip' $1.mp4", 2)
    season = os.path.join(WORK, "season one")
    os.makedirs(season)
    episodes = [make_clip(os.path.join(season, name), 2) for name in ("ep 2.mp4", "ep 10.mp4")]
    with open(os.path.join(season, "notes.txt"), "w") as notes:
        notes.write("not a video")
    broken = os.path.join(WORK, "broken.mp4")
    with open(broken, "w") as text:
        text.write("this is no video at all\n")

    kelvara = Kelvara()
    table = kelvara.control("table", "Source files")
    x, y = list_point(table)

    check(drag_files([single], x, y) == "dropped", "the file was not taken")
    wait_for(lambda: rows(table) == 1, "the dropped file")
    check(sources(table) == [single], "rows: %r" % sources(table))
    screenshot("file-dropped")
    check(drag_files([season], x, y) == "dropped", "the folder was not taken")
    wait_for(lambda: rows(table) == 3, "the folder's media files")
    check(sources(table) == [single] + episodes, "rows after the folder: %r" % sources(table))
    check(drag_files([broken], x, y) == "dropped", "the broken file was not taken")
    wait_for(lambda: rows(table) == 4, "the broken file")
    screenshot("folder-dropped")

    kelvara.choose_from_menu("Format Setting", "To Audio")
    click(kelvara.control("push button", "Start"))
    end = answer_box(kelvara, "batch-end")
    check("1 of 4 files could not be converted" in end, "end message: %r" % end)
    home = os.environ["HOME"]
    output = os.path.join(home, "dropped 'clip' $1.mp3")
    check(os.path.exists(output), "no %s; home has %r" % (output, os.listdir(home)))

    # A converted row: Play Output, then Open Output Folder.
    row_menu(table, 0, 0, "menu-done-row")
    wait_for(lambda: output in opened(), "the output handed to the opener (%r)" % opened(), timeout=10)
    row_menu(table, 0, 1, "menu-done-row-again")
    wait_for(lambda: home.rstrip("/") in [p.rstrip("/") for p in opened()], "the folder handed to the opener")

    # The failed row: Play Output is disabled, so the entries are Open
    # Output Folder, Show Failure Reason, Remove.
    row_menu(table, 3, 1, "menu-failed-row")
    reason = answer_box(kelvara, "failure-reason")
    print("failure reason: %r" % reason)
    check(reason.split("\n")[1].startswith("failed: "), "no outcome line in %r" % reason)
    check("Started: " in reason and "Ended: " in reason, "no times in %r" % reason)
    check("Last lines of output:" in reason, "no output lines in %r" % reason)
    check("broken.mp4" in reason or "Invalid data" in reason, "no word of the source in %r" % reason)
    row_menu(table, 3, 2, "menu-remove")
    wait_for(lambda: rows(table) == 3, "the failed row removed")
    check(broken not in sources(table), "the wrong row went: %r" % sources(table))

    # The Delete key removes the row the user selected.
    click_at(*centre_of_cell(table, 1))
    xdotool("key", "Delete")
    wait_for(lambda: rows(table) == 2, "the row removed by Delete")
    check(sources(table) == [single, episodes[1]], "after Delete: %r" % sources(table))
    screenshot("after-delete")

    # While a batch runs the list takes no drop.
    long_clip = make_clip("long.mp4", 40, "640x480", fast=True)
    check(drag_files([long_clip], x, y) == "dropped", "the long clip was not taken")
    wait_for(lambda: rows(table) == 3, "the long clip")
    kelvara.choose_from_menu("Format Setting", "To PC Video")
    click(kelvara.control("push button", "Start"))
    stop = wait_for(lambda: find(kelvara.window, "push button", "Stop"), "the batch to run")
    refused = drag_files([broken], x, y)
    screenshot("drop-during-batch")
    still_running = showing(stop)
    click(stop)
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "the batch to stop")
    check(still_running, "the batch ended before the drop was tried")
    check(refused == "refused", "a drop during the batch was %s" % refused)
    check(rows(table) == 3, "the drop during the batch added a row")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
