"""START converts two files (one with a hostile name) to AVI and to MP3,
judged by ffprobe, and the program ends cleanly afterwards."""
import json
import os
import subprocess

from kelvara_desktop import Kelvara, check, click, find, labels, run, screenshot, text_of, wait_for, xdotool

NAMES = ["it's $HOME & `x`.mp4", "plain.mp4"]
SECONDS = 2


def make_clip(name, seconds, size="160x120"):
    path = os.path.join(os.environ["KELVARA_WORK"], name)
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "testsrc2=size=%s:rate=25:duration=%d" % (size, seconds), "-f", "lavfi", "-i",
                    "sine=duration=%d" % seconds, "-shortest", path], check=True)
    return path


def probe(path):
    out = subprocess.run(["ffprobe", "-v", "error", "-show_streams", "-show_format", "-of", "json", path],
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out)


def cell(table, row, column):
    return table.queryTable().getAccessibleAt(row, column).name


def set_folder(kelvara, folder):
    """Through the folder browser: the field takes no typed text from the bus."""
    field = kelvara.control("text", "Output folder")
    click(kelvara.control("push button", "Browse"))
    kelvara.answer_file_dialog(folder, "browser")
    wait_for(lambda: text_of(field).rstrip("/") == folder, "the folder chosen (%r)" % text_of(field), timeout=10)


def answer_message(kelvara, shot):
    box = kelvara.top_level("dialog", None)
    screenshot(shot)
    text = " ".join(labels(box))
    xdotool("key", "Return")
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "the message closed")
    return text


def convert_all(kelvara, table, out, kind_menu, extension, codec):
    if kind_menu:
        kelvara.choose_from_menu("Format Setting", kind_menu)
    click(kelvara.control("push button", "Start"))
    message = answer_message(kelvara, "done-" + extension)
    print("completion message: %r" % message)
    for row, name in enumerate(NAMES):
        check(cell(table, row, 0) == "Done", "row %d: %r" % (row, cell(table, row, 0)))
        target = os.path.join(out, os.path.splitext(name)[0] + "." + extension)
        check(os.path.exists(target), "no %s; folder has %r" % (target, os.listdir(out)))
        info = probe(target)
        codecs = [s["codec_name"] for s in info["streams"]]
        check(codec in codecs, "%s: codecs %r" % (target, codecs))
        duration = float(info["format"]["duration"])
        check(abs(duration - SECONDS) < 0.5, "%s: %.2f s, not %d" % (target, duration, SECONDS))


def scenario():
    work = os.environ["KELVARA_WORK"]
    sources = [make_clip(name, SECONDS) for name in NAMES]
    out = os.path.join(work, "out")
    os.makedirs(out)
    kelvara = Kelvara(*sources)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 2, "the two files")

    set_folder(kelvara, out)
    convert_all(kelvara, table, out, None, "avi", "mpeg4")
    convert_all(kelvara, table, out, "To Audio", "mp3", "mp3")

    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
