"""One window per session: `kelvara FILE` while Kelvara runs hands the file
to the running window, which brings it forward, and ends at once, also with
a relative name and a name that is not UTF-8; a new session gives back the
kind chosen in the last one."""
import os
import subprocess
import time

from kelvara_desktop import (PROGRAM, Kelvara, active_window, check, children, choose_kind, make_clip,
                             managed_windows, pyatspi, run, wait_for, window_named, xdotool)

WORK = os.environ["KELVARA_WORK"]


def kelvara_windows():
    return [w for w in xdotool("search", "--name", "^Kelvara$").split() if int(w) in managed_windows()]


def start_again(*arguments):
    """A second start in the folder of the files, as "Open with" runs it:
    its exit status and how long it took."""
    began = time.time()
    status = subprocess.run([PROGRAM, *arguments], cwd=WORK, capture_output=True, timeout=30).returncode
    return status, time.time() - began


def scenario():
    first = make_clip("first.mp4", 1)
    # A name whose bytes are not UTF-8 (Latin-1 "é"), given relative.
    os.rename(make_clip("second.mp4", 1), os.fsencode(WORK) + b"/caf\xe9 second.mp4")
    kelvara = Kelvara(first)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the file of the first start")
    other = subprocess.Popen(["xmessage", "-name", "other", "another window"])
    try:
        wait_for(lambda: window_named("other") is not None and active_window() == window_named("other"),
                 "another window in front", timeout=15)
        status, seconds = start_again(b"caf\xe9 second.mp4")
        check(status == 0 and seconds < 5, "the second start: %d after %.1f s" % (status, seconds))
        wait_for(lambda: table.queryTable().nRows == 2, "the handed file in the first window's list")
        name = table.queryTable().getAccessibleAt(1, 1).name
        check(name.startswith(WORK + "/caf") and name.endswith(" second.mp4"), "Source Video: %r" % name)
        check(len(kelvara_windows()) == 1, "windows named Kelvara: %r" % kelvara_windows())
        wait_for(lambda: active_window() == kelvara.window_id(), "the window brought forward", timeout=10)
    finally:
        other.kill()
        other.wait()

    # With no files a second start only brings the window forward.
    status, seconds = start_again()
    check(status == 0 and seconds < 5, "a start without files: %d after %.1f s" % (status, seconds))
    check(table.queryTable().nRows == 2 and len(kelvara_windows()) == 1, "the empty start changed something")

    choose_kind(kelvara, "To Audio", "Audio kinds", "To WAV")
    check(kelvara.close() == 0, "the program did not end cleanly")
    again = Kelvara()
    strip = again.control("page tab list", "Audio kinds")
    chosen = [tab.name for tab in children(strip) if tab.getState().contains(pyatspi.STATE_SELECTED)]
    check(chosen == ["To WAV"], "the kind of the last session did not come back: %r" % chosen)
    check(again.close() == 0, "the second session did not end cleanly")


run(scenario)
