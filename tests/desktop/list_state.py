"""The file list outlives the program: thirty clips with trims, ten finished,
five failed and fifteen queued, are converted until the program is killed
with SIGKILL in the middle of a job. Started again, the rows, trims and
states are as they were, the interrupted job is queued, the output folder
holds no temporary file, and START converts the rest (ffprobe judges the
outputs). After a normal close and another start the list is the same."""
import json
import os
import shutil
import signal
import time

from kelvara_desktop import (Kelvara, answer_message, cell, check, check_output, click, encoder_processes, make_clip,
                             read_message, run, screenshot, set_folder, wait_for, xdotool)

ROWS = 30
FINISHED = range(0, 10)
FAILED = range(10, 15)
LONG = 20  # converting when the program is killed
COLUMNS = range(0, 5)  # icon, name, Split Span, size, duration: not the changing status


# The scenario's own, under its fresh HOME, whatever the caller's environment says.
os.environ["XDG_STATE_HOME"] = os.path.join(os.environ["HOME"], ".local/state")


def state_file():
    return os.path.join(os.environ["XDG_STATE_HOME"], "kelvara/list.json")


def trim_of(row):
    if row == LONG:  # long enough to be killed in the middle
        return (0.0, 20000.0)
    return (100.0 * (row % 7), 1200.0 + 100.0 * (row % 5))


def seed(out):
    """The list as a session left it; the finished rows' outputs are there."""
    jobs = []
    for row in range(ROWS):
        if row in FAILED:
            source = os.path.join(os.environ["KELVARA_WORK"], "broken %d.mp4" % row)
            with open(source, "w") as junk:
                junk.write("not a video")
        elif row == LONG:
            source = make_clip("long.mp4", 20, "320x240")
        else:
            source = make_clip("clip %02d.mp4" % row, 2)
        start, end = trim_of(row)
        job = {"source": source, "durationMs": 20000 if row == LONG else 2000, "trimMs": [start, end],
               "sourceSize": [320, 240] if row == LONG else [160, 120], "state": "queued"}
        if row in FINISHED:
            output = os.path.join(out, "clip %02d.mp4" % row)
            shutil.copy(source, output)
            job.update(state="done", finished=1, percent=100, output=output, outcome="finished in 1 s")
        if row in FAILED:
            job.update(state="stopped", failed=True, outcome="failed: The encoder failed.")
        jobs.append(job)
    os.makedirs(os.path.dirname(state_file()), exist_ok=True)
    with open(state_file(), "w") as f:
        json.dump({"version": 1, "window": {"category": 0, "tab": 3, "outputFolder": out + "/"}, "jobs": jobs}, f)


def rows(table):
    return [[cell(table, row, column) for column in COLUMNS] for row in range(table.queryTable().nRows)]


def started(*files):
    kelvara = Kelvara(*files)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == ROWS + len(files), "the %d saved rows" % ROWS, timeout=20)
    return kelvara, table


def states(table):
    return [cell(table, row, 0) for row in range(ROWS)]


def saved_jobs():
    with open(state_file()) as f:
        return json.load(f)["jobs"]


def saved_states():
    return [job["state"] + ("/failed" if job.get("failed") else "") for job in saved_jobs()]


def kill_mid_batch(kelvara, table):
    click(kelvara.control("push button", "Start"))
    wait_for(lambda: cell(table, LONG, 0) == "Converting", "the long job converting", timeout=90)
    wait_for(lambda: saved_states()[LONG] == "converting", "the converting row saved", timeout=5)
    screenshot("before-kill")
    before = rows(table)
    kelvara.process.send_signal(signal.SIGKILL)
    kelvara.process.wait()
    # The killed program's encoder is not ours to keep: it is ended too.
    for line in encoder_processes():
        os.kill(int(line.split()[0]), signal.SIGKILL)
    wait_for(lambda: not encoder_processes(), "the encoders ended", timeout=10)
    return before


def scenario():
    out = os.path.join(os.environ["KELVARA_WORK"], "out")
    os.makedirs(out)
    seed(out)
    kelvara, table = started()
    # The folder is the one chosen in the browser, which the settings keep.
    set_folder(kelvara, out)
    screenshot("restored")
    first = rows(table)
    check([r[0] for r in first] == ["Done"] * 10 + ["Failed"] * 5 + ["Queued"] * 15, "seeded states %r" % first)
    before = kill_mid_batch(kelvara, table)

    kelvara, table = started()
    screenshot("after-kill")
    after = rows(table)
    for row in range(ROWS):
        wanted = list(before[row])
        if row == LONG:
            # Queued again; the output name is the next run's to choose.
            wanted[0] = "Queued"
            wanted[4] = after[row][4]
        check(after[row] == wanted, "row %d after the kill: %r, not %r" % (row, after[row], wanted))
    check(all(after[row][0] == "Done" for row in range(15, LONG)), "rows before the long one: %r" % after)
    check(all(after[row][2] == first[row][2] for row in range(ROWS)), "trims changed")
    hidden = [name for name in os.listdir(out) if name.startswith(".")]
    check(not hidden, "temporary files left in the output folder: %r" % hidden)

    click(kelvara.control("push button", "Start"))
    box, names = read_message(kelvara, "finished", timeout=150)
    xdotool("key", "Return")
    wait_for(lambda: saved_states()[LONG:] == ["done"] * (ROWS - LONG), "the finished rows saved", timeout=5)
    saved = saved_jobs()
    for row in range(LONG, ROWS):
        check(cell(table, row, 0) == "Done", "row %d after START: %r" % (row, cell(table, row, 0)))
        start, end = trim_of(row)
        check(os.path.dirname(saved[row]["output"]) == out, "row %d's output %r" % (row, saved[row]["output"]))
        check_output(saved[row]["output"], "h264", None, (end - start) / 1000.0)
    for row in FAILED:
        check(cell(table, row, 0) == "Failed", "row %d after START: %r" % (row, cell(table, row, 0)))
    finished = rows(table)
    time.sleep(0.5)
    check(kelvara.close() == 0, "the program did not end cleanly")

    # A file named on the command line comes after the saved rows.
    extra = make_clip("extra.mp4", 1)
    kelvara, table = started(extra)
    screenshot("after-close")
    check(rows(table)[:ROWS] == finished, "rows after a close: %r, not %r" % (rows(table), finished))
    check(cell(table, ROWS, 1).endswith("extra.mp4"), "the last row: %r" % cell(table, ROWS, 1))
    check(kelvara.close() == 0, "the program did not end cleanly")
    damaged()


def damaged():
    """A damaged file is kept under a dated name, said once, and the list
    starts empty."""
    with open(state_file(), "rb") as f:
        half = f.read()[:300]
    with open(state_file(), "wb") as f:
        f.write(half)
    kelvara = Kelvara()
    names = answer_message(kelvara, "damaged", timeout=20)
    kept = [n for n in os.listdir(os.path.dirname(state_file())) if n.startswith("list.json.damaged-")]
    check(len(kept) == 1, "set aside as %r" % kept)
    check(any(kept[0] in line for line in names), "message %r does not name %s" % (names, kept[0]))
    with open(os.path.join(os.path.dirname(state_file()), kept[0]), "rb") as f:
        check(f.read() == half, "the damaged file's bytes changed")
    check(kelvara.control("table", "Source files").queryTable().nRows == 0, "rows from a damaged file")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
