"""The PC video kinds from the window, each with an option that is not the
default: AVI with another video and sound codec and a frame size per file,
pictures as PNG and as a GIF animation, MPEG as "DVD PAL" chosen once for
both. Two files, one with a hostile name; every output judged by ffprobe."""
import os

import pyatspi

from kelvara_desktop import (cell, cell_of, check, check_output, children, choose_item, choose_kind,
                             convert_and_finish, make_clip, open_clips, run, screenshot, select_row, text_of,
                             type_into_field, wait_for)

NAMES = ["it's $HOME & `x`.mp4", "plain.mp4"]
SECONDS = 2
SIZES = [(320, 240), (240, 180)]


def outputs(table, out, extension):
    paths = []
    for row, name in enumerate(NAMES):
        shown = cell(table, row, 4)
        check(shown == os.path.splitext(name)[0] + extension, "row %d Out Type %r" % (row, shown))
        paths.append(os.path.join(out, shown))
    return paths


def avi(kelvara, table, out):
    choose_item(kelvara, "AVI Codec", "Motion JPEG")
    for row, (width, height) in enumerate(SIZES):
        select_row(table, row)
        choose_item(kelvara, "Sound codec", "PCM 16-bit (uncompressed)")
        type_into_field(kelvara.control("text", "Width"), str(width))
        type_into_field(kelvara.control("text", "Height"), str(height))
    convert_and_finish(kelvara, table, "avi-done")
    for path, size in zip(outputs(table, out, ".avi"), SIZES):
        info = check_output(path, "mjpeg", size, SECONDS)
        check("pcm_s16le" in [s["codec_name"] for s in info["streams"]], path + ": no PCM sound")


def pictures(kelvara, table, out):
    choose_kind(kelvara, "To PC Video", "PC video kinds", "Image")
    choose_item(kelvara, "Output Type", "To PNG Image - png picture(*.png)")
    convert_and_finish(kelvara, table, "png-done")
    for path, size in zip(outputs(table, out, ".png"), SIZES):
        check_output(path, "png", size, None)
    choose_item(kelvara, "Output Type", "To GIF Animation - gif video(*.gif)")
    convert_and_finish(kelvara, table, "gif-done")
    for path, size in zip(outputs(table, out, ".gif"), SIZES):
        info = check_output(path, "gif", size, SECONDS)
        frames = int(info["streams"][0].get("nb_frames") or 0)
        check(frames == 0 or frames > 1, path + ": one frame, not an animation")


def chosen_item(kelvara, combo_name):
    combo = kelvara.control("combo box", combo_name)
    chosen = [c.name for c in children(combo) if c.getState().contains(pyatspi.STATE_SELECTED)]
    return " ".join(chosen[0].split()) if chosen else None


def mpeg(kelvara, table, out):
    choose_kind(kelvara, "To PC Video", "PC video kinds", "MPEG")
    # Chosen once, on the second row: a click on the first row keeps it, and
    # every file of the batch is converted as the panel shows.
    select_row(table, 1)
    choose_item(kelvara, "MpegType", "DVD PAL")
    wait_for(lambda: text_of(kelvara.control("text", "Width")) == "720", "the preset's size")
    select_row(table, 0)
    wait_for(lambda: cell_of(table, 0, 1).getState().contains(pyatspi.STATE_SELECTED), "the first row selected")
    shown = (chosen_item(kelvara, "MpegType"), chosen_item(kelvara, "AudioRate"))
    check(shown == ("DVD PAL", "48000"), "the first row brought back %r" % (shown,))
    check(text_of(kelvara.control("text", "Width")) == "720", "the first row shows another size")
    screenshot("mpeg-first-row")
    convert_and_finish(kelvara, table, "mpeg-done")
    shown = chosen_item(kelvara, "MpegType")
    check(shown == "DVD PAL", "the end of the batch brought back %r" % shown)
    for path in outputs(table, out, ".mpg"):
        info = check_output(path, "mpeg2video", (720, 576), SECONDS)
        audio = [s for s in info["streams"] if s["codec_type"] == "audio"]
        check(audio and audio[0]["sample_rate"] == "48000", path + ": sound %r" % audio)


def scenario():
    kelvara, table, out = open_clips([make_clip(name, SECONDS) for name in NAMES])
    avi(kelvara, table, out)
    pictures(kelvara, table, out)
    mpeg(kelvara, table, out)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
