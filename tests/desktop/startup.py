"""Start-up: the window at the top left, 802 x 565, cut to its outline, the
splash gone; the command line's help and its refusal of what is not a file;
closing ends the program."""
import os
import subprocess

from kelvara_desktop import PROGRAM, SCREENS, Kelvara, check, pixel, run, screenshot, xdotool


def scenario():
    usage = subprocess.run([PROGRAM, "--help"], capture_output=True, text=True, timeout=10)
    check(usage.returncode == 0 and usage.stdout.startswith("Usage: kelvara"), "usage: %r" % usage.stdout)

    kelvara = Kelvara("/nonexistent/clip.mp4")
    geometry = xdotool("getwindowgeometry", kelvara.window_id())
    check("Position: 0,0" in geometry, "not at the top left: " + geometry)
    check("Geometry: 802x565" in geometry, "wrong size: " + geometry)
    shot = screenshot("window")
    black = ("srgb(0,0,0)", "black")
    check(pixel(shot, 790, 300) in black, "the part right of the skin is not cut away")
    check(pixel(shot, 1, 1) in black, "the rounded corner is not cut away")
    check(pixel(shot, 400, 300) not in black, "the window is not drawn")
    check(pixel(shot, 900, 700) in black, "something else is on the screen")
    for name in ("Start", "Add Video", "Remove Video", "Clear Video", "Browse", "Snapshot"):
        kelvara.control("push button", name)
    check(kelvara.control("text", "Output folder") is not None, "no output folder field")
    kelvara.control("page tab list", "PC video kinds")
    check(kelvara.close() == 0, "the program did not end cleanly")
    log = open(os.path.join(SCREENS, "startup.log")).read()
    check("/nonexistent/clip.mp4" in log, "the missing file was not named on standard error")


run(scenario)
