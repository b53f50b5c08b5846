"""Twelve files to MP3 with Files at once on Auto (the setting's default):
at some moment at least two rows show a percentage between 1 and 99 at
once, the end message comes once, and every output plays."""
import os
import re
import shutil
import time

from kelvara_desktop import (_message_box, answer_message, cell, check, check_output, choose_kind, click, make_clip, open_clips,
                             run, screenshot)

FILES = 12
SECONDS = 60


def percent(text):
    found = re.match(r"\s*(\d+)%", text or "")
    return int(found.group(1)) if found else None


def rows_under_way(table):
    shown = [percent(cell(table, row, 5)) for row in range(FILES)]
    return [p for p in shown if p is not None and 1 <= p <= 99]


def scenario():
    first = make_clip("clip00.mp4", SECONDS, fast=True)
    clips = [first]
    for i in range(1, FILES):
        clips.append(os.path.join(os.path.dirname(first), "clip%02d.mp4" % i))
        shutil.copyfile(first, clips[-1])
    kelvara, table, out = open_clips(clips)
    choose_kind(kelvara, "To Audio", "Audio kinds", "To MP3")
    click(kelvara.control("push button", "Start"))
    most = 0
    end = time.monotonic() + 120
    while time.monotonic() < end and _message_box(kelvara) is None:
        under_way = rows_under_way(table)
        most = max(most, len(under_way))
        if len(under_way) >= 2:
            screenshot("two-at-once")
            break
        time.sleep(0.05)
    check(most >= 2, "never two rows under way at once (most %d)" % most)
    message = answer_message(kelvara, "files-at-once-done", 120)
    check(message == ["success", "All tasks have been completed!"], "end message %r" % message)
    time.sleep(1)
    check(_message_box(kelvara) is None, "a second end message")
    for row in range(FILES):
        check(cell(table, row, 0) == "Done", "row %d: %r" % (row, cell(table, row, 0)))
        check_output(os.path.join(out, cell(table, row, 4)), "mp3", None, SECONDS, tolerance=1.0)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
