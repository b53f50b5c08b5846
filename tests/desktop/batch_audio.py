"""The five audio kinds from the window, each with a bitrate or a sample
rate that is not the default. Two files, one with a hostile name; every
output judged by ffprobe: codec, the chosen bitrate or rate, duration."""
import os

from kelvara_desktop import (cell, check, check_output, choose_item, choose_kind, convert_and_finish, make_clip,
                             open_clips, run, screenshot)

NAMES = ["it's $HOME & `x`.mp4", "plain.mp4"]
SECONDS = 2

# tab, bitrate item, sample item, extension, codec, bitrate (bit/s) or None, sample rate or None
KINDS = [
    ("To MP3", "64 kbps", "Same As Input File", ".mp3", "mp3", 64000, None),
    ("To WMA", "Auto", "22050 Hz", ".wma", "wmav2", None, 22050),
    ("To WAV", "Auto", "8000 Hz", ".wav", "pcm_s16le", None, 8000),
    ("To MP2", "128 kbps", "32000 Hz", ".mp2", "mp2", 128000, 32000),
    ("To AC3", "192 kbps", "48000 Hz", ".ac3", "ac3", 192000, 48000),
]


def convert_kind(kelvara, table, out, kind):
    tab, bitrate_item, sample_item, extension, codec, bitrate, rate = kind
    choose_kind(kelvara, "To Audio", "Audio kinds", tab)
    choose_item(kelvara, "Audio Bitrate", bitrate_item)
    choose_item(kelvara, "Audio Sample", sample_item)
    convert_and_finish(kelvara, table, tab.split()[1].lower() + "-done")
    for row, source in enumerate(NAMES):
        shown = cell(table, row, 4)
        check(shown == os.path.splitext(source)[0] + extension, "%s row %d Out Type %r" % (tab, row, shown))
        info = check_output(os.path.join(out, shown), codec, None, SECONDS)
        stream = info["streams"][0]
        if bitrate is not None:
            check(int(stream.get("bit_rate") or 0) == bitrate, "%s: %s bit/s" % (shown, stream.get("bit_rate")))
        if rate is not None:
            check(int(stream["sample_rate"]) == rate, "%s: %s Hz" % (shown, stream["sample_rate"]))


def scenario():
    kelvara, table, out = open_clips([make_clip(name, SECONDS) for name in NAMES])
    for kind in KINDS:
        convert_kind(kelvara, table, out, kind)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
