"""START with an empty output folder field asks for the folder first; a
folder handed to the field over the accessibility bus is the one used;
closing is refused while converting; STOP in the middle of a batch, for a
device (the encoder) and for AVI (the video-editing component), leaves the
stopped row stopped, the next rows queued, no encoder running, no
completion message, and only outputs that play."""
import os
import time

from kelvara_desktop import (answer_message, cell, check, choose_item, choose_kind, click, encoder_processes, find,
                             hand_folder, make_clip, open_clips, probe, run, screenshot, wait_for, windows, xdotool)

NAMES = ["long $(x).avi", "it's `y`.mp4", "plain.mp4"]


def empty_folder(kelvara, table):
    hand_folder(kelvara, "")
    click(kelvara.control("push button", "Start"))
    message = answer_message(kelvara, "no-folder", timeout=10)
    check(message == ["error", "Set export folder firstly "], "message %r" % message)
    for row in range(len(NAMES)):
        check(cell(table, row, 0) == "Queued", "row %d: %r" % (row, cell(table, row, 0)))


def close_refused(kelvara):
    """Both the window's own close button and the window manager's close
    request (Alt+F4 in openbox) are refused."""
    click(kelvara.control("push button", "Close"))
    message = answer_message(kelvara, "close-refused", timeout=10)
    check(message == ["Info", "Please stop converting."], "message %r" % message)
    kelvara.activate()
    xdotool("key", "alt+F4")
    message = answer_message(kelvara, "wm-close-refused", timeout=10)
    check(message == ["Info", "Please stop converting."], "message %r" % message)
    check(kelvara.process.poll() is None, "the program ended during a batch")


def percent(status):
    digits = status.strip().split("%")[0].strip()
    return int(float(digits)) if digits.replace(".", "").isdigit() else 0


def check_left_plays(out):
    """A stopped encoder finishes what it wrote, so what is left plays."""
    for name in os.listdir(out):
        info = probe(os.path.join(out, name))
        check(any(s["codec_type"] == "video" for s in info["streams"]), "%s left, without a picture" % name)


def no_message_box(kelvara):
    return not any(w.getRoleName() == "dialog" and find(w, "push button", "OK") for w in windows(kelvara.app))


def scenario():
    # Long and large enough that the first job still converts when STOP comes.
    sources = [make_clip(NAMES[0], 60, "640x480")] + [make_clip(name, 2) for name in NAMES[1:]]
    kelvara, table, out = open_clips(sources, choose_folder=False)
    choose_kind(kelvara, "To Mobile Video", "Mobile video kinds", "Xbox360")

    empty_folder(kelvara, table)
    hand_folder(kelvara, out + "/")
    click(kelvara.control("push button", "Start"))
    wait_for(lambda: cell(table, 0, 0) == "Converting", "the first job converting")
    wait_for(lambda: "%" in cell(table, 0, 5) and "Remain" in cell(table, 0, 5), "progress on the first row")
    check(encoder_processes(), "no encoder runs for the first job")
    screenshot("converting")

    close_refused(kelvara)
    check(cell(table, 0, 0) == "Converting", "the refusal stopped the job: %r" % cell(table, 0, 0))

    click(kelvara.control("push button", "Stop"))
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "START back")
    wait_for(lambda: not encoder_processes(), "the encoders ended (%r)" % encoder_processes(), timeout=10)
    time.sleep(1.5)  # a completion message would have come by now
    screenshot("stopped")
    check(no_message_box(kelvara), "a message box after STOP")
    check(cell(table, 0, 0) == "Stopped", "stopped row: %r" % cell(table, 0, 0))
    check(cell(table, 0, 5) == "Canceled", "stopped row's status: %r" % cell(table, 0, 5))
    for row in (1, 2):
        check(cell(table, row, 0) == "Queued", "row %d: %r" % (row, cell(table, row, 0)))
    check(not any(n.startswith("it's") or n.startswith("plain") for n in os.listdir(out)),
          "later jobs converted: %r" % os.listdir(out))
    check_left_plays(out)
    stop_avi(kelvara, table, out)
    check(kelvara.close() == 0, "the program did not end cleanly")


def stop_avi(kelvara, table, out):
    """The video-editing conversions stop as the encoder's do."""
    choose_kind(kelvara, "To PC Video", "PC video kinds", "AVI")
    choose_item(kelvara, "AVI Codec", "H.264 / AVC Video (x264)")
    click(kelvara.control("push button", "Start"))
    wait_for(lambda: cell(table, 0, 0) == "Converting", "the first job converting to AVI")
    began = time.time()
    wait_for(lambda: encoder_processes(), "the encoder of the AVI job")
    wait_for(lambda: percent(cell(table, 0, 5)) > 0, "the AVI job under way")
    click(kelvara.control("push button", "Stop"))
    print("STOP %.1f s after the AVI job began, at %r" % (time.time() - began, cell(table, 0, 5)))
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "START back")
    wait_for(lambda: not encoder_processes(), "the encoders ended (%r)" % encoder_processes(), timeout=10)
    time.sleep(1.5)
    screenshot("stopped-avi")
    check(no_message_box(kelvara), "a message box after STOP")
    check(cell(table, 0, 0) == "Stopped", "stopped AVI row: %r" % cell(table, 0, 0))
    for row in (1, 2):
        check(cell(table, row, 0) == "Queued", "AVI row %d: %r" % (row, cell(table, row, 0)))
    check(not any(n.endswith(".avi") and not n.startswith("long") for n in os.listdir(out)),
          "later jobs converted to AVI: %r" % os.listdir(out))
    check_left_plays(out)


run(scenario)
