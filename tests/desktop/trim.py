"""The trim range under the preview: set with the keyboard, then by dragging
a thumb with the mouse; the Split Span cell follows the slider, a converted
row is queued again by the drag, and the trimmed file converted to MP3 and to
AVI lasts as long as the trim says (ffprobe)."""
import os
import subprocess
import time

from kelvara_desktop import (Kelvara, answer_message, cell, check, click, probe, run, screenshot, set_folder,
                             wait_for, xdotool)

SECONDS = 10
# The slider is 267 pixels wide; 241 of them carry values, 13 per thumb.
TRACK = 241
THUMB = 13


def make_clip(path):
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "testsrc2=size=160x120:rate=25:duration=%d" % SECONDS, "-f", "lavfi", "-i",
                    "sine=duration=%d" % SECONDS, "-shortest", path], check=True)


def slider_values(slider):
    """start, end, min, max in milliseconds, as the slider tells screen readers."""
    slider.clear_cache()
    words = slider.description.replace(",", "").split()
    # "start S end E of MIN to MAX"
    return float(words[1]), float(words[3]), float(words[5]), float(words[7])


def clock(seconds):
    whole = int(seconds)
    return "%02d:%02d:%02d" % (whole // 3600, whole // 60 % 60, whole % 60)


def span_text(start_ms, end_ms):
    start, end = start_ms * 0.001, end_ms * 0.001
    return "%s<-->%s|[%s]" % (clock(start), clock(end), clock(end - start))


def keys(*names):
    xdotool("key", "--delay", "15", *names)
    time.sleep(0.3)


def drag(x, y, dx):
    """Presses at (x, y) and moves the mouse by dx in small steps, as a hand does."""
    xdotool("mousemove", "--sync", x, y)
    xdotool("mousedown", 1)
    step = 3 if dx > 0 else -3
    for offset in range(step, dx + step, step):
        xdotool("mousemove", x + offset, y)
        time.sleep(0.02)
    xdotool("mouseup", 1)
    time.sleep(0.3)


def convert(kelvara, table, kind_menu, out, extension, wanted):
    kelvara.choose_from_menu("Format Setting", kind_menu)
    click(kelvara.control("push button", "Start"))
    answer_message(kelvara, "done-" + extension)
    check(cell(table, 0, 0) == "Done", "state after converting: %r" % cell(table, 0, 0))
    target = os.path.join(out, "trim me." + extension)
    check(os.path.exists(target), "no %s; folder has %r" % (target, os.listdir(out)))
    duration = float(probe(target)["format"]["duration"])
    print("%s: %.3f s for a trim of %.3f s" % (extension, duration, wanted))
    check(abs(duration - wanted) < 0.3, "%s lasts %.2f s, the trim %.2f s" % (target, duration, wanted))


def scenario():
    work = os.environ["KELVARA_WORK"]
    source = os.path.join(work, "trim me.mp4")
    make_clip(source)
    out = os.path.join(work, "out")
    os.makedirs(out)
    kelvara = Kelvara(source)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the file")
    set_folder(kelvara, out)
    slider = kelvara.control("slider", "Trim range")
    _, end, low, high = slider_values(slider)
    check(low == 0 and abs(high - SECONDS * 1000) < 100 and end == high, "slider loaded: %r" % (slider_values(slider),))
    step = (high - low) / TRACK

    # The keyboard: a click on the bar gives the focus; Shift+Left pulls the
    # end in, Left and Right move both ends.
    click(slider)
    keys(*["shift+Left"] * 73)
    keys(*["Right"] * 49)
    start, end, _, _ = slider_values(slider)
    check(abs(start - 49 * step) < 1e-3 and abs(end - (TRACK - 73 + 49) * step) < 1e-3,
          "the keys moved the range to %r" % ((start, end),))
    wait_for(lambda: cell(table, 0, 2) == span_text(start, end),
             "Split Span %r to follow the keys (%r)" % (cell(table, 0, 2), span_text(start, end)), timeout=5)
    screenshot("keyboard")

    # The encoder is given the trim to the millisecond.
    convert(kelvara, table, "To Audio", out, "mp3", (end - start) / 1000.0)

    # The mouse: the left thumb dragged 45 pixels to the right.
    box = slider.queryComponent().getExtents(0)
    thumb_x = box.x + int(start / step + 0.5) + THUMB // 2
    drag(thumb_x, box.y + box.height // 2, 45)
    moved_start, moved_end, _, _ = slider_values(slider)
    check(abs(moved_start - (start + 45 * step)) < 2 * step and moved_end == end,
          "the drag moved the start from %.1f to %.1f" % (start, moved_start))
    stored_start = float(int(moved_start))
    wait_for(lambda: cell(table, 0, 0) == "Queued", "the converted row to be queued again (%r)" % cell(table, 0, 0),
             timeout=5)
    check(cell(table, 0, 2) == span_text(stored_start, int(end)),
          "Split Span after the drag: %r" % cell(table, 0, 2))
    screenshot("dragged")

    # The video-editing component takes the trim to the millisecond.
    convert(kelvara, table, "To PC Video", out, "avi", (int(end) - stored_start) / 1000.0)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
