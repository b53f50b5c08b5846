"""SIGTERM, SIGHUP and SIGINT in the middle of a batch end the program the
same way for each engine (the encoder's GIF animation, the video-editing
component's AVI, a device profile): the batch stops as STOP stops it, no box
asks anything, and the program ends within the stop policy's grace period
with 128 + the signal's number, leaving no process, no hidden or step file,
and only outputs that play. Killed outright (SIGKILL) in the middle of a
GIF animation, the program leaves no file of any name and no process."""
import os
import signal
import threading
import time

from kelvara_desktop import (Kelvara, cell, check, choose_item, choose_kind, click, encoder_processes,
                             forget_saved_list, hand_folder, labels, make_clip, probe, run, screenshot, wait_for,
                             windows)

# The stop policy's longest grace period (libs/process/ProcessStop.h): an
# encoder stopping its own ffmpeg first gets twice 3 s and a second more.
GRACE_SECONDS = 7.0

# engine, its kind in the menus, an option chosen then, the signal sent
ENGINES = [
    ("GIF animation", ("To PC Video", "PC video kinds", "Image"),
     ("Output Type", "To GIF Animation - gif video(*.gif)"), signal.SIGTERM),
    ("AVI", ("To PC Video", "PC video kinds", "AVI"), ("AVI Codec", "H.264 / AVC Video (x264)"), signal.SIGHUP),
    ("Sony PSP", ("To Mobile Video", "Mobile video kinds", "Sony PSP"), None, signal.SIGINT),
]


def percent(status):
    digits = status.strip().split("%")[0].strip()
    return int(float(digits)) if digits.replace(".", "").isdigit() else 0


def stop_box_open(kelvara):
    """The refusal a Close gets during a batch; the program may be ending
    under the question, which then fails."""
    try:
        return any(w.getRoleName() == "dialog" and "Please stop converting." in [n.name for n in labels(w)]
                   for w in windows(kelvara.app))
    except Exception:  # noqa: BLE001 - gone from the bus while asked
        return False


def wait_for_end(kelvara, seconds):
    """Seconds from now to the program's end, timed on a thread of its own so
    that the questions over the bus do not delay it; None when it outlives
    `seconds`. Says whether the refusal box showed meanwhile."""
    began = time.time()
    ended = []
    waiter = threading.Thread(target=lambda: (kelvara.process.wait(), ended.append(time.time() - began)))
    waiter.start()
    box = False
    while waiter.is_alive() and time.time() - began < seconds:
        box = box or stop_box_open(kelvara)
        time.sleep(0.1)
    return (ended[0] if ended else None), box


def start_batch(kelvara, clip, engine, out):
    name, kind, option, _ = engine
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the clip in the list")
    choose_kind(kelvara, *kind)
    if option:
        choose_item(kelvara, *option)
    hand_folder(kelvara, out + "/")
    click(kelvara.control("push button", "Start"))
    wait_for(lambda: percent(cell(table, 0, 5)) > 0, name + " under way")
    check(encoder_processes(), name + ": nothing converts")


def output_folder(number):
    out = os.path.join(os.environ["KELVARA_WORK"], "out-%d" % number)
    os.makedirs(out)
    return out


def killed_outright(clip, engine):
    out = output_folder(len(ENGINES))
    forget_saved_list()
    kelvara = Kelvara(clip)
    try:
        start_batch(kelvara, clip, engine, out)
        kelvara.process.send_signal(signal.SIGKILL)
        kelvara.process.wait()
    finally:
        kelvara.kill()
    wait_for(lambda: not encoder_processes(), "the encoder ending with the program")
    print("GIF animation: SIGKILL left %r in the output folder" % os.listdir(out))
    check(os.listdir(out) == [], "killed: files left %r" % os.listdir(out))


def end_by_signal(clip, engine, number):
    name, _, _, sent = engine
    out = output_folder(number)
    forget_saved_list()
    kelvara = Kelvara(clip)
    try:
        start_batch(kelvara, clip, engine, out)
        screenshot(name.replace(" ", "-").lower() + "-converting")
        kelvara.process.send_signal(sent)
        took, box = wait_for_end(kelvara, GRACE_SECONDS + 3)
    finally:
        kelvara.kill()
    left = os.listdir(out)
    print("%s: %s ended the program in %s s, leaving %r" % (name, sent.name, "%.1f" % took if took else "(never)",
                                                           left))
    check(not box, "%s: the program asked to stop converting first" % name)
    check(took is not None and took <= GRACE_SECONDS + 1, "%s: ended after %s s" % (name, took))
    check(kelvara.process.returncode == 128 + sent, "%s: exit status %d" % (name, kelvara.process.returncode))
    check(not encoder_processes(), "%s: left running %r" % (name, encoder_processes()))
    check(not [n for n in left if n.startswith(".") or "0001." in n], "%s: hidden or step files %r" % (name, left))
    for path in (os.path.join(out, n) for n in left):
        check(any(s["codec_type"] == "video" for s in probe(path)["streams"]), path + " left, without a picture")
    if name == "AVI":  # the component's stop keeps what plays, as STOP does
        check(any(n.endswith(".avi") for n in left), "AVI: the stopped part was not kept: %r" % left)


def scenario():
    # Long and large enough that each job still converts when the signal comes.
    clip = make_clip("long clip.avi", 30, "640x480")
    for number, engine in enumerate(ENGINES):
        end_by_signal(clip, engine, number)
    killed_outright(clip, ENGINES[0])


run(scenario)
