"""The preview: it shows the selected file's picture (two files of different
colours give different pictures), Play makes the picture move, Pause holds
it, Next and Previous step between the files, the snapshot button switches
the output to Image, and closing the program while a file plays ends it
cleanly."""
import os
import subprocess
import time

import pyatspi

from kelvara_desktop import (Kelvara, check, click, click_at, find, run, screenshot, wait_for, xdotool)

# The preview's place in the main window.
PREVIEW = (16, 286, 296, 217)


def make_clip(name, colour):
    """Six seconds of a coloured field with a white square moving across."""
    path = os.path.join(os.environ["KELVARA_WORK"], name)
    subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i",
                    "color=c=%s:size=320x240:rate=25:duration=6" % colour,
                    "-f", "lavfi", "-i", "color=c=white:size=50x50:rate=25:duration=6",
                    "-f", "lavfi", "-i", "sine=duration=6",
                    "-filter_complex", "[0:v][1:v]overlay=x='20+t*40':y=30[v]", "-map", "[v]", "-map", "2:a",
                    "-shortest", "-pix_fmt", "yuv420p", path], check=True)
    return path


def preview_box(kelvara):
    box = kelvara.window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y, w, h = PREVIEW
    return box.x + x, box.y + y, w, h


def preview_shot(kelvara, name):
    """A screenshot cut down to the preview."""
    full = screenshot(name)
    x, y, w, h = preview_box(kelvara)
    cut = full.replace(".png", "-preview.png")
    subprocess.run(["convert", full, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", cut], check=True)
    return cut


def play_pause_centre(kelvara):
    """Play and Pause share one place; which of them the accessibility bus
    reports as showing lags behind the screen, so they are found by place."""
    box = kelvara.window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + 144 + 16, box.y + 520 + 20


def button_shot(kelvara, name):
    """The Play/Pause place, with the mouse away from it."""
    xdotool("mousemove", "--sync", 900, 700)
    time.sleep(0.1)
    full = screenshot(name)
    box = kelvara.window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    cut = full.replace(".png", "-cut.png")
    subprocess.run(["convert", full, "-crop", "32x40+%d+%d" % (box.x + 144, box.y + 520), "+repage", cut], check=True)
    return cut


def mean_colour(path):
    """The mean red, green and blue (0..1) of the preview's lower band, below
    the moving square."""
    out = subprocess.run(["convert", path, "-crop", "260x60+18+140", "+repage", "-resize", "1x1!",
                          "-format", "%[fx:r] %[fx:g] %[fx:b]", "info:-"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(float(v) for v in out.split())


def differing_pixels(a, b):
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "8%", a, b, "null:"],
                            capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def reddish(rgb):
    return rgb[0] > 0.6 and rgb[1] < 0.3 and rgb[2] < 0.3


def bluish(rgb):
    return rgb[2] > 0.6 and rgb[0] < 0.3 and rgb[1] < 0.3


def wait_for_colour(kelvara, test, what):
    def look():
        return test(mean_colour(preview_shot(kelvara, "wait")))
    wait_for(look, what, timeout=20.0)


def scenario():
    red = make_clip("red clip.mp4", "red")
    blue = make_clip("blue clip.mp4", "blue")
    kelvara = Kelvara(red, blue)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 2, "both files in the list")

    # The last file added is the current one and shows in the preview.
    wait_for_colour(kelvara, bluish, "the blue file's picture")
    preview_shot(kelvara, "blue")
    click(table.queryTable().getAccessibleAt(0, 1))
    wait_for_colour(kelvara, reddish, "the red file's picture after selecting its row")
    opened = preview_shot(kelvara, "red")

    # An opened file stays on its first picture.
    time.sleep(1.0)
    check(differing_pixels(opened, preview_shot(kelvara, "red-later")) < 50, "the opened file did not stay still")

    play_icon = button_shot(kelvara, "play-button")
    click_at(*play_pause_centre(kelvara))
    wait_for(lambda: differing_pixels(play_icon, button_shot(kelvara, "pause-button")) > 20, "the Pause button")
    time.sleep(1.0)
    playing = preview_shot(kelvara, "playing-1")
    time.sleep(1.0)
    later = preview_shot(kelvara, "playing-2")
    check(differing_pixels(playing, later) > 500, "the picture did not move while playing")
    check(reddish(mean_colour(later)), "playing shows another file")

    # Pause takes Play's place.
    click_at(*play_pause_centre(kelvara))
    wait_for(lambda: differing_pixels(play_icon, button_shot(kelvara, "play-again")) < 10, "the Play button again")
    time.sleep(0.5)
    paused = preview_shot(kelvara, "paused-1")
    time.sleep(1.0)
    check(differing_pixels(paused, preview_shot(kelvara, "paused-2")) < 50, "the picture moved after Pause")

    click(kelvara.control("push button", "Next file"))
    wait_for_colour(kelvara, bluish, "the next file's picture")
    check(table.queryTable().getAccessibleAt(1, 1).getState().contains(pyatspi.STATE_SELECTED),
          "Next did not select the second row")
    click(kelvara.control("push button", "Previous file"))
    wait_for_colour(kelvara, reddish, "the previous file's picture")
    preview_shot(kelvara, "previous")

    click(kelvara.control("push button", "Snapshot"))
    strip = kelvara.control("page tab list", "PC video kinds")
    wait_for(lambda: strip.getChildAtIndex(2).getState().contains(pyatspi.STATE_SELECTED), "the Image tab")
    check(find(kelvara.window, "combo box", "Output Type") is not None, "the image panel is not shown")
    screenshot("snapshot")

    # Leaving while a file plays.
    click_at(*play_pause_centre(kelvara))
    time.sleep(1.0)
    check(kelvara.close() == 0, "the program did not end cleanly while playing")


run(scenario)
