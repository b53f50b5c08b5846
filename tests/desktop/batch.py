"""START converts two files (one with a hostile name) to AVI and to MP3,
judged by ffprobe, and the program ends cleanly afterwards."""
import os

from kelvara_desktop import (answer_message, cell, check, click, make_clip, open_clips, probe, run, screenshot)

NAMES = ["it's $HOME & `x`.mp4", "plain.mp4"]
SECONDS = 2


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
    kelvara, table, out = open_clips([make_clip(name, SECONDS) for name in NAMES])
    convert_all(kelvara, table, out, None, "avi", "mpeg4")
    convert_all(kelvara, table, out, "To Audio", "mp3", "mp3")

    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
