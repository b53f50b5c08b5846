"""A batch that ends while another window is active is told to the desktop:
the notification service on the session bus gets the end message's title and
text. A batch stopped with STOP tells it nothing, and without a notification
service the program goes on as before."""
import json
import os
import subprocess
import sys
import time

from Xlib import display

from kelvara_desktop import (Kelvara, activate, cell, check, click, find, make_clip, press, run, screenshot,
                             showing, wait_for, window_named, xdotool)
from xdnd_source import drag_files

WORK = os.environ["KELVARA_WORK"]
HERE = os.path.dirname(os.path.abspath(__file__))


def notices(record):
    with open(record) as lines:
        return [json.loads(line) for line in lines if line.strip()]


class OtherWindow:
    """A window of another program, which the user works in meanwhile."""

    def __init__(self):
        self.display = display.Display()
        screen = self.display.screen()
        self.window = screen.root.create_window(600, 420, 380, 300, 0, screen.root_depth,
                                                background_pixel=screen.white_pixel)
        self.window.set_wm_name("Other program")
        self.window.map()
        self.display.sync()
        wait_for(lambda: self.window_id() is not None, "the other window on the screen")

    def window_id(self):
        return window_named("Other program")

    def activate(self):
        activate("Other program")


def start_batch_elsewhere(kelvara, other):
    """START, and straight back to the other window while the batch runs."""
    click(kelvara.control("push button", "Start"))
    other.activate()


def answer_end_message(kelvara, shot):
    box = kelvara.top_level("dialog", None)
    screenshot(shot)
    kelvara.activate()
    ok = find(box, "push button", "OK")
    click(ok)
    wait_for(lambda: not showing(box), "the end message to close", timeout=10)


def scenario():
    record = os.path.join(WORK, "notices.jsonl")
    service = subprocess.Popen([sys.executable, os.path.join(HERE, "notice_service.py"), record])
    try:
        wait_for(lambda: os.path.exists(record), "the notification service on the bus", timeout=20)
        clips = [make_clip("first clip.mp4", 12, "320x240", fast=True),
                 make_clip("second clip.mp4", 12, "320x240", fast=True)]
        kelvara = Kelvara(*clips)
        table = kelvara.control("table", "Source files")
        wait_for(lambda: table.queryTable().nRows == 2, "the two files")
        other = OtherWindow()

        start_batch_elsewhere(kelvara, other)
        wait_for(lambda: notices(record), "a notice of the batch's end", timeout=120)
        screenshot("notice-sent")
        got = notices(record)
        check(len(got) == 1, "notices: %r" % got)
        check(got[0]["summary"] == "success", "summary: %r" % got[0])
        check(got[0]["body"] == "All tasks have been completed!", "body: %r" % got[0])
        check(got[0]["app"] == "Kelvara", "app name: %r" % got[0])
        answer_end_message(kelvara, "end-message")

        # Stopped during a long clip, dropped on the list for this: no notice.
        box = table.queryComponent().getExtents(0)
        long_clip = make_clip("long clip.mp4", 600, "320x240", fast=True)
        check(drag_files([long_clip], box.x + box.width // 2, box.y + box.height - 20) == "dropped",
              "the long clip was not taken")
        wait_for(lambda: table.queryTable().nRows == 3, "the long clip in the list")
        # STOP through its accessible action: a click would first have to
        # bring the window back.
        stop = find(kelvara.window, "push button", "Stop", visible_only=False)
        start_batch_elsewhere(kelvara, other)
        wait_for(lambda: cell(table, 2, 0) == "Converting", "the long clip's conversion", timeout=60)
        press(stop)
        wait_for(lambda: not showing(stop), "the batch to stop", timeout=20)
        check(cell(table, 2, 0) == "Stopped", "the long clip is %r, not stopped" % cell(table, 2, 0))
        other.activate()
        time.sleep(2)
        check(len(notices(record)) == 1, "a notice after STOP: %r" % notices(record))
        kelvara.activate()
        click(table.queryTable().getAccessibleAt(2, 1))
        xdotool("key", "Delete")
        wait_for(lambda: table.queryTable().nRows == 2, "the long clip removed")

        # Active window: the message box alone.
        click(kelvara.control("push button", "Start"))
        answer_end_message(kelvara, "end-while-active")
        check(len(notices(record)) == 1, "a notice while the window was active: %r" % notices(record))

        # No service on the bus: the batch ends as before.
        service.terminate()
        service.wait()
        start_batch_elsewhere(kelvara, other)
        answer_end_message(kelvara, "end-without-service")
        check(kelvara.close() == 0, "the program did not end cleanly")
    finally:
        if service.poll() is None:
            service.terminate()
            service.wait()


run(scenario)
