"""One window per session: `kelvara FILE` while Kelvara runs hands the file
to the running window, which brings it forward, and ends at once, also with
a relative name and a name that is not UTF-8; a new session gives back the
kind chosen in the last one."""
import os
import subprocess
import time

from kelvara_desktop import (PROGRAM, Kelvara, active_window, check, children, choose_kind, make_clip,
                             managed_windows, pyatspi, run, screenshot, wait_for, window_named)

WORK = os.environ["KELVARA_WORK"]


def kelvara_windows():
    found = subprocess.run(["xdotool", "search", "--name", "^Kelvara$"], capture_output=True, text=True).stdout
    return [w for w in found.split() if int(w) in managed_windows()]


def start_again(*arguments):
    """A second start, as a file manager's "Open with" runs it, in the
    folder of the files; how long it took and its exit status."""
    began = time.time()
    second = subprocess.run([PROGRAM, *arguments], cwd=WORK, capture_output=True, timeout=30)
    return time.time() - began, second.returncode


def scenario():
    first = make_clip("first.mp4", 1)
    # A name whose bytes are not UTF-8 (Latin-1 "é"), given relative.
    odd = os.fsencode(WORK) + b"/caf\xe9 second.mp4"
    os.rename(make_clip("second.mp4", 1), odd)

    kelvara = Kelvara(first)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the file of the first start")
    other = subprocess.Popen(["xmessage", "-name", "other", "another window"])
    try:
        wait_for(lambda: window_named("other") is not None and active_window() == window_named("other"),
                 "another window in front", timeout=15)
        seconds, status = start_again(b"caf\xe9 second.mp4")
        check(status == 0, "the second start ended with %d" % status)
        check(seconds < 5, "the second start took %.1f s" % seconds)
        wait_for(lambda: table.queryTable().nRows == 2, "the handed file in the first window's list")
        name = table.queryTable().getAccessibleAt(1, 1).name
        check(name.startswith(WORK + "/caf") and name.endswith(" second.mp4"), "Source Video: %r" % name)
        check(len(kelvara_windows()) == 1, "windows named Kelvara: %r" % kelvara_windows())
        wait_for(lambda: active_window() == kelvara.window_id(), "the window brought forward", timeout=10)
        screenshot("handed")
    finally:
        other.kill()
        other.wait()

    # With no files a second start only brings the window forward.
    seconds, status = start_again()
    check(status == 0 and seconds < 5, "a start without files: %d after %.1f s" % (status, seconds))
    check(table.queryTable().nRows == 2 and len(kelvara_windows()) == 1, "the empty start changed something")

    choose_kind(kelvara, "To Audio", "Audio kinds", "To WAV")
    check(kelvara.close() == 0, "the program did not end cleanly")

    again = Kelvara()
    strip = again.control("page tab list", "Audio kinds")
    chosen = [tab.name for tab in children(strip) if tab.getState().contains(pyatspi.STATE_SELECTED)]
    check(chosen == ["To WAV"], "the kind of the last session did not come back: %r" % chosen)
    screenshot("remembered")
    check(again.close() == 0, "the second session did not end cleanly")


run(scenario)
