"""Files from the command line and from the add dialog, names with blanks,
quotes, $, & and accents; every column's text; the Out Type of the rows in
each of the twelve kinds; removing with the button, clearing from the menu;
the Up arrow on the first row."""
import os
import subprocess

from kelvara_desktop import Kelvara, check, click, find, run, screenshot, wait_for, xdotool

NAMES = ["holiday 'n $fun & més.mp4", "second clip.mp4"]

OUT_TYPES = [
    ("To PC Video", "PC video kinds", [".avi", ".mpg", ".gif"]),
    ("To Mobile Video", "Mobile video kinds", [".MP4", ".mpg", ".avi", ".pmp"]),
    ("To Audio", "Audio kinds", [".mp3", ".wma", ".wav", ".mp2", ".ac3"]),
]


def make_media():
    paths = []
    for name in NAMES:
        path = os.path.join(os.environ["KELVARA_WORK"], name)
        subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=2",
                        "-f", "lavfi", "-i", "sine=duration=2", "-shortest", path], check=True)
        paths.append(path)
    return paths


def rows(table):
    return table.queryTable().nRows


def cell(table, row, column):
    return table.queryTable().getAccessibleAt(row, column).name


def scenario():
    first, second = make_media()
    kelvara = Kelvara(first)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: rows(table) == 1, "the file from the command line")
    check(cell(table, 0, 1) == first, "Source Video: %r" % cell(table, 0, 1))
    check(cell(table, 0, 2) == "00:00:00<-->00:00:02|[00:00:02]", "Split Span: %r" % cell(table, 0, 2))
    check(cell(table, 0, 3) == "160x120", "Frame Size: %r" % cell(table, 0, 3))
    check(cell(table, 0, 4) == "holiday 'n $fun & més.avi", "Out Type: %r" % cell(table, 0, 4))
    check(cell(table, 0, 5).strip() == "0%", "Status: %r" % cell(table, 0, 5))
    check(cell(table, 0, 0) == "Queued", "state: %r" % cell(table, 0, 0))
    check(find(kelvara.window, "image", "Preview placeholder") is None, "the placeholder stays over the preview")

    click(kelvara.control("push button", "Add Video"))
    kelvara.answer_file_dialog(second, "add-dialog")
    wait_for(lambda: rows(table) == 2, "the file from the add dialog")
    check(cell(table, 1, 1) == second, "second row: %r" % cell(table, 1, 1))
    screenshot("two-files")

    for menu_item, strip_name, extensions in OUT_TYPES:
        kelvara.choose_from_menu("Format Setting", menu_item)
        strip = kelvara.control("page tab list", strip_name)
        for index, extension in enumerate(extensions):
            if index > 0:
                click(strip.getChildAtIndex(index))
            for row in range(2):
                out = cell(table, row, 4)
                check(out.endswith(extension), "%s: row %d Out Type %r" % (strip.getChildAtIndex(index).name, row, out))
    screenshot("out-type-ac3")
    kelvara.choose_from_menu("Format Setting", "To PC Video")

    # The first row, then Up: nothing moves; Remove takes the current row.
    first_cell = table.queryTable().getAccessibleAt(0, 1)
    click(first_cell)
    xdotool("key", "Up")
    click(kelvara.control("push button", "Remove Video"))
    wait_for(lambda: rows(table) == 1, "the removal")
    check(cell(table, 0, 1) == second, "the wrong row was removed: %r" % cell(table, 0, 1))
    kelvara.choose_from_menu("File", "Clear Video")
    wait_for(lambda: rows(table) == 0, "the list to be cleared")
    wait_for(lambda: find(kelvara.window, "image", "Preview placeholder") is not None, "the placeholder again")
    screenshot("cleared")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
