"""The PC video kinds from the window, each with an option that is not the
default: AVI with another video and sound codec and a frame size per file,
pictures as PNG and as a GIF animation, MPEG as "DVD PAL". Two files, one
with a hostile name; every output judged by ffprobe."""
import os

from kelvara_desktop import (Kelvara, answer_message, cell, check, click, check_output, choose_item, choose_kind,
                             make_clip, run, screenshot, select_row, set_folder, type_into_field, wait_for)

NAMES = ["it's $HOME & `x`.mp4", "plain.mp4"]
SECONDS = 2
SIZES = [(320, 240), (240, 180)]


def start_and_finish(kelvara, table, shot):
    click(kelvara.control("push button", "Start"))
    message = answer_message(kelvara, shot)
    check(message == ["success", "All tasks have been completed!"], "end message %r" % message)
    for row in range(len(NAMES)):
        check(cell(table, row, 0) == "Done", "row %d: %r" % (row, cell(table, row, 0)))
        check(cell(table, row, 5).strip() == "100%    Finished", "row %d status %r" % (row, cell(table, row, 5)))


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
    start_and_finish(kelvara, table, "avi-done")
    for path, size in zip(outputs(table, out, ".avi"), SIZES):
        info = check_output(path, "mjpeg", size, SECONDS)
        check("pcm_s16le" in [s["codec_name"] for s in info["streams"]], path + ": no PCM sound")


def pictures(kelvara, table, out):
    choose_kind(kelvara, "To PC Video", "PC video kinds", "Image")
    choose_item(kelvara, "Output Type", "To PNG Image - png picture(*.png)")
    start_and_finish(kelvara, table, "png-done")
    for path, size in zip(outputs(table, out, ".png"), SIZES):
        check_output(path, "png", size, None)
    choose_item(kelvara, "Output Type", "To GIF Animation - gif video(*.gif)")
    start_and_finish(kelvara, table, "gif-done")
    for path, size in zip(outputs(table, out, ".gif"), SIZES):
        info = check_output(path, "gif", size, SECONDS)
        frames = int(info["streams"][0].get("nb_frames") or 0)
        check(frames == 0 or frames > 1, path + ": one frame, not an animation")


def mpeg(kelvara, table, out):
    choose_kind(kelvara, "To PC Video", "PC video kinds", "MPEG")
    # The preset goes into the selected job: pick it for each file.
    select_row(table, 0)
    choose_item(kelvara, "MpegType", "DVD PAL")
    select_row(table, 1)
    choose_item(kelvara, "MpegType", "VCD PAL")
    choose_item(kelvara, "MpegType", "DVD PAL")
    wait_for(lambda: kelvara.control("text", "Width").queryText().getText(0, -1) == "720", "the preset's size")
    start_and_finish(kelvara, table, "mpeg-done")
    for path in outputs(table, out, ".mpg"):
        info = check_output(path, "mpeg2video", (720, 576), SECONDS)
        audio = [s for s in info["streams"] if s["codec_type"] == "audio"]
        check(audio and audio[0]["sample_rate"] == "48000", path + ": sound %r" % audio)


def scenario():
    work = os.environ["KELVARA_WORK"]
    sources = [make_clip(name, SECONDS) for name in NAMES]
    out = os.path.join(work, "out")
    os.makedirs(out)
    kelvara = Kelvara(*sources)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 2, "the two files")
    set_folder(kelvara, out)
    avi(kelvara, table, out)
    pictures(kelvara, table, out)
    mpeg(kelvara, table, out)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
