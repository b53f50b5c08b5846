"""Jobs that cannot be converted, as the window shows them: a source spoilt
after it was added fails with its reason (Status "Failed", the red cross,
the source's whole path and below it the reason as the row's description and
tooltip), a source deleted after it was added
is passed over and stays queued, and the end box says how many files could
not be converted, as a warning. Then an output folder that cannot be made
fails every job, and the next batch into a good folder converts them all."""
import os

from kelvara_desktop import (answer_message, cell, cell_of, centre, check, check_output, choose_kind, click,
                             hand_folder, make_clip, open_clips, pixel, run, screenshot, wait_for, windows, xdotool)

NAMES = ["good.mp4", "spoilt $(y).mp4", "gone.mp4", "it's `z`.mp4"]
SECONDS = 2


def start(kelvara, shot):
    click(kelvara.control("push button", "Start"))
    return " ".join(" ".join(answer_message(kelvara, shot)).split())


def icon_colour(path, icon_cell):
    """The reddest colour along the diagonal through a row's state icon, as
    (r, g, b): a cross has its strokes there."""
    box = icon_cell.queryComponent().getExtents(0)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    colours = []
    for d in range(-4, 5):
        text = pixel(path, x + d, y + d)
        colours.append(tuple(int(float(v)) for v in text[text.index("(") + 1:text.index(")")].split(",")[:3]))
    return max(colours, key=lambda c: c[0] - c[1])


def hover_tip(kelvara, accessible):
    """The tooltip that resting the mouse on a cell brings up."""
    x, y = centre(accessible)
    xdotool("mousemove", x, y)
    tip = wait_for(lambda: next((w for w in windows(kelvara.app) if w.getRoleName() == "tool tip"), None),
                   "a tooltip", timeout=10)
    screenshot("tooltip")
    return tip.name


def check_failed(table, row, reason_has):
    check(cell(table, row, 0) == "Failed", "row %d icon: %r" % (row, cell(table, row, 0)))
    check(cell(table, row, 5) == "Failed", "row %d status: %r" % (row, cell(table, row, 5)))
    description = cell_of(table, row, 5).description
    reason = description.partition("\n")[2]
    check(reason and reason_has in reason, "row %d reason %r has no %r" % (row, reason, reason_has))
    check(cell_of(table, row, 1).description == description, "row %d: the reason is not the whole row's" % row)
    return description


def spoilt_and_gone(kelvara, table, sources, out):
    with open(sources[1], "wb") as spoilt:
        spoilt.write(b"no media here\n" * 64)
    os.remove(sources[2])
    hand_folder(kelvara, out + "/")
    message = start(kelvara, "spoilt-end")
    check(message == "Warning All tasks have been completed! 1 of 3 files could not be converted.",
          "end box %r" % message)
    path = screenshot("spoilt-rows")
    for row in (0, 3):
        check(cell(table, row, 0) == "Done", "row %d: %r" % (row, cell(table, row, 0)))
        check_output(os.path.join(out, cell(table, row, 4)), "mp3", None, SECONDS)
    reason = check_failed(table, 1, NAMES[1])
    print("reason shown: %r" % reason)
    check(cell(table, 2, 0) == "Queued", "the deleted source's row: %r" % cell(table, 2, 0))
    check(cell_of(table, 2, 5).description == sources[2], "the deleted source's row has a reason")
    # The failed row's icon is the red cross, not a finished tick.
    failed, done = (icon_colour(path, cell_of(table, row, 0)) for row in (1, 0))
    check(failed[0] > 150 and failed[1] < 110 and failed[2] < 110, "the failed row's icon is %r" % (failed,))
    check(not (done[0] > 150 and done[1] < 110), "the finished row's icon is red too: %r" % (done,))
    tip = hover_tip(kelvara, cell_of(table, 1, 5))
    check(tip == reason, "the failed row's tooltip %r is not its reason" % tip)
    left = [f for f in os.listdir(out) if f.startswith("spoilt")]
    check(not left, "the failed job left %r" % left)


def folder_not_made(kelvara, table, out):
    blocker = os.path.join(os.environ["KELVARA_WORK"], "a file")
    with open(blocker, "w") as f:
        f.write("not a folder\n")
    hand_folder(kelvara, blocker + "/out/")
    message = start(kelvara, "no-folder-end")
    check(message == "Warning All tasks have been completed! 3 of 3 files could not be converted.",
          "end box %r" % message)
    for row in (0, 1, 3):
        check_failed(table, row, "")
    screenshot("no-folder-rows")
    hand_folder(kelvara, out + "/again/")
    message = start(kelvara, "again-end")
    check(message == "Warning All tasks have been completed! 1 of 3 files could not be converted.",
          "end box %r" % message)
    for row in (0, 3):
        check(cell(table, row, 0) == "Done", "again, row %d: %r" % (row, cell(table, row, 0)))
        check_output(os.path.join(out, "again", cell(table, row, 4)), "mp3", None, SECONDS)


def scenario():
    sources = [make_clip(name, SECONDS) for name in NAMES]
    kelvara, table, out = open_clips(sources, choose_folder=False)
    choose_kind(kelvara, "To Audio", "Audio kinds", "To MP3")
    spoilt_and_gone(kelvara, table, sources, out)
    folder_not_made(kelvara, table, out)
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
